#pragma once
// The command constructs of a screen in the include file: case constructs over case layers,
// onkey, wait, editenter and enumerations.

#include "generator/prigrammar.h"
#include "generator/syntaxobject.h"

namespace panolcd {

class TDBRecordObj;

// The case objects of one screen kind with one entry flag, sorted by Y.
class Tcase_descriptions final : public TSyntaxSortedList {
public:
    Tcase_descriptions(TSyntaxParser& parser, TSyntaxObject* parent, ObjectScope scope,
                       bool onEntry)
        : TSyntaxSortedList(parser, parent), scope_(scope), onEntry_(onEntry) {}

protected:
    bool CreateChildren() override;

private:
    ObjectScope scope_;
    bool onEntry_;
};

class Tonkey_description final : public TSyntaxComposite {
public:
    Tonkey_description(TSyntaxParser& parser, TSyntaxObject* parent, TDBRecordObj* record)
        : TSyntaxComposite(parser, parent), record_(record) {}

protected:
    bool CreateChildren() override;

private:
    TDBRecordObj* record_;
};

class Twait_statement final : public TSyntaxComposite {
public:
    Twait_statement(TSyntaxParser& parser, TSyntaxObject* parent, TDBRecordObj* record)
        : TSyntaxComposite(parser, parent), record_(record) {}

protected:
    bool CreateChildren() override;

private:
    TDBRecordObj* record_;
};

class Teditenter_statement final : public TSyntaxComposite {
public:
    Teditenter_statement(TSyntaxParser& parser, TSyntaxObject* parent, TDBRecordObj* record)
        : TSyntaxComposite(parser, parent), record_(record) {}

protected:
    bool CreateChildren() override;

private:
    TDBRecordObj* record_;
};

// The enumeration objects of one screen kind, in database order.
class Tenum_descriptions final : public TSyntaxComposite {
public:
    Tenum_descriptions(TSyntaxParser& parser, TSyntaxObject* parent, ObjectScope scope)
        : TSyntaxComposite(parser, parent), scope_(scope) {}

protected:
    bool CreateChildren() override;

private:
    ObjectScope scope_;
};

// The constant of a case, onkey or enumeration variant: "else" in any letter case is followed
// by a blank, every other constant by ": ".
std::string VariantConstant(const std::string& symbol);

} // namespace panolcd
