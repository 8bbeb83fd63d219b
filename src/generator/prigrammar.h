#pragma once
// The grammar of the include file (.PRI): banner, constant block, one terminal declaration per
// screen with its bitmap, text and graphic objects. The command constructs a screen also holds
// are in commandconstructs.h.

#include "generator/syntaxobject.h"
#include "project/objectrecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace panolcd {

class TDataBase;
class TDBRecordObj;

// The object list of one screen kind: the screen proper or its help screen.
struct ObjectScope {
    TDataBase* objects = nullptr;
    bool help = false;
};

ObjectRecordView ObjView(TDBRecordObj* record);
// The record belongs to the screen kind.
bool InScope(const ObjectRecordView& object, bool help);
// Every record of `database` (none when it is missing), in database order.
std::vector<TDBRecordObj*> RecordsOf(const TDataBase* database);

class Tterminal_declarations final : public TSyntaxComposite {
public:
    using TSyntaxComposite::TSyntaxComposite;

protected:
    bool CreateChildren() override;
};

// Text objects (kinds 7..10) of one layer, sorted by font and Y.
class Ttext_descriptions final : public TSyntaxSortedList {
public:
    Ttext_descriptions(TSyntaxParser& parser, TSyntaxObject* parent, ObjectScope scope,
                       std::uint8_t layer)
        : TSyntaxSortedList(parser, parent), scope_(scope), layer_(layer) {}

protected:
    bool CreateChildren() override;

private:
    ObjectScope scope_;
    std::uint8_t layer_;
};

// Graphic objects of one layer, sorted by Y.
class Tgraphic_descriptions final : public TSyntaxSortedList {
public:
    Tgraphic_descriptions(TSyntaxParser& parser, TSyntaxObject* parent, ObjectScope scope,
                          std::uint8_t layer)
        : TSyntaxSortedList(parser, parent), scope_(scope), layer_(layer) {}

protected:
    bool CreateChildren() override;

private:
    ObjectScope scope_;
    std::uint8_t layer_;
};

// A "font n;" line when the font differs from the one last selected.
class Tfont_description final : public TSyntaxLeaf {
public:
    Tfont_description(TSyntaxParser& parser, TSyntaxObject* parent, TDBRecordObj* record)
        : TSyntaxLeaf(parser, parent), record_(record) {}

protected:
    void Build() override;
    void Write() override;

private:
    TDBRecordObj* record_;
    std::uint8_t font_ = kNoFontNum;
    static constexpr std::uint8_t kNoFontNum = 255;
};

// "position x,y;"
class Tposition_description final : public TSyntaxComposite {
public:
    Tposition_description(TSyntaxParser& parser, TSyntaxObject* parent, TDBRecordObj* record)
        : TSyntaxComposite(parser, parent), record_(record) {}

protected:
    bool CreateChildren() override;

private:
    TDBRecordObj* record_;
};

// "{ ObjText }" or nothing.
class Tobjtext_comment final : public TSyntaxLeaf {
public:
    Tobjtext_comment(TSyntaxParser& parser, TSyntaxObject* parent, TDBRecordObj* record)
        : TSyntaxLeaf(parser, parent), record_(record) {}

protected:
    void Build() override;

private:
    TDBRecordObj* record_;
};

} // namespace panolcd
