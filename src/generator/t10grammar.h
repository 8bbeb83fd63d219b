#pragma once
// The grammar of the project declaration (.T10): the bitmap, font and program bank sections
// the loader reads.

#include "generator/syntaxobject.h"

namespace panolcd {

class Tpanocon_project final : public TSyntaxComposite {
public:
    using TSyntaxComposite::TSyntaxComposite;

protected:
    bool CreateChildren() override;
};

} // namespace panolcd
