// Each descriptor class derives from the parent its stream format names, whatever shared code
// sits between them.

#include "framework/persistence/classregistry.h"
#include "framework/records/enumfield.h"
#include "framework/records/identfields.h"
#include "framework/records/intfields.h"
#include "framework/records/register.h"
#include "framework/records/rootlookfield.h"

#include <functional>
#include <gtest/gtest.h>

namespace panolcd {
namespace {

template <class T> bool Is(const TrbStreamable& object) {
    return dynamic_cast<const T*>(&object) != nullptr;
}

TEST(FieldParents, EveryClassHasItsParentAndNoOther) {
    RegisterRecordClasses();
    RegisterEnumFieldClasses();
    struct Case {
        const char* name;
        std::function<bool(const TrbStreamable&)> isParent;
        std::function<bool(const TrbStreamable&)> isNot;
    };
    const Case cases[] = {
        {"TByteRecFieldDscr", Is<TRecFieldTypeDscr>, Is<TWordRecFieldDscr>},
        {"TByteLimRecFieldDscr", Is<TByteRecFieldDscr>, Is<TEnumRecFieldDscr>},
        {"TWordRecFieldDscr", Is<TRecFieldTypeDscr>, Is<TSmallIntRecFieldDscr>},
        {"TSpecWordRecFieldDscr", Is<TWordRecFieldDscr>, Is<TWordLimRecFieldDscr>},
        {"TWordLimRecFieldDscr", Is<TWordRecFieldDscr>, Is<TSpecWordRecFieldDscr>},
        {"TWordOffsRecFieldDscr", Is<TWordRecFieldDscr>, Is<TWordLimRecFieldDscr>},
        {"TSmallIntRecFieldDscr", Is<TRecFieldTypeDscr>, Is<TWordRecFieldDscr>},
        {"TSmallIntLimRecFieldDscr", Is<TSmallIntRecFieldDscr>, Is<TSpecSmallIntRecFieldDscr>},
        {"TSpecSmallIntRecFieldDscr", Is<TSmallIntRecFieldDscr>, Is<TSmallIntLimRecFieldDscr>},
        {"TSpecSmallIntLimRecFieldDscr", Is<TSpecSmallIntRecFieldDscr>,
         Is<TSmallIntLimRecFieldDscr>},
        {"TIntegerRecFieldDscr", Is<TRecFieldTypeDscr>, Is<TLIntRecFieldDscr>},
        {"TLIntRecFieldDscr", Is<TRecFieldTypeDscr>, Is<TIntegerRecFieldDscr>},
        {"TSpecLIntRecFieldDscr", Is<TLIntRecFieldDscr>, Is<TIntegerRecFieldDscr>},
        {"TLIntLimRecFieldDscr", Is<TLIntRecFieldDscr>, Is<TIntegerRecFieldDscr>},
        {"TDWordRecFieldDscr", Is<TLIntRecFieldDscr>, Is<TSpecLIntRecFieldDscr>},
        {"TEnumRecFieldDscr", Is<TByteRecFieldDscr>, Is<TByteLimRecFieldDscr>},
        {"TRefByte_FieldDscr", Is<TByteRecFieldDscr>, Is<TEnumRecFieldDscr>},
        {"TRootLookRefByte_FieldDscr", Is<TRefByte_FieldDscr>, Is<TEnumRecFieldDscr>},
        {"TIdentRecFieldDscr", Is<TRecFieldTypeDscr>, Is<TLIntRecFieldDscr>},
        {"TRefIdent_FieldDscr", Is<TIdentRecFieldDscr>, Is<TRefByte_FieldDscr>},
    };
    for (const auto& c : cases) {
        const auto object = ClassRegistry::Construct(c.name);
        ASSERT_NE(object, nullptr) << c.name;
        EXPECT_TRUE(c.isParent(*object)) << c.name;
        EXPECT_FALSE(c.isNot(*object)) << c.name;
    }
}

} // namespace
} // namespace panolcd
