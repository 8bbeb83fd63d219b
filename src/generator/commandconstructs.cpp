#include "generator/commandconstructs.h"

#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "generator/syntaxparser.h"
#include "project/dbtypes.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"

namespace panolcd {
namespace {

constexpr std::size_t kSymbolCap = 16;
constexpr std::size_t kConstantCap = 64;
constexpr std::size_t kConstCommentCap = 68;
constexpr std::size_t kEnumConstantCap = 18;
constexpr std::size_t kTimeoutCap = 15;
constexpr std::size_t kLongTextCap = 254;

// A leaf whose text its parent computes from the records while it builds its children.
class TComputedLeaf : public TSyntaxLeaf {
public:
    TComputedLeaf(TSyntaxParser& parser, TSyntaxObject* parent, std::string text,
                  bool multiLine = false)
        : TSyntaxLeaf(parser, parent), value_(std::move(text)), multiLine_(multiLine) {}

protected:
    void Build() override { text_ = value_; }
    void Write() override {
        if (multiLine_)
            EmitLines(text_);
        else
            Emit(text_);
    }

private:
    std::string value_;
    bool multiLine_;
};

// The control variable of a case or an enumeration.
class Tcase_ctrlreg final : public TComputedLeaf {
public:
    Tcase_ctrlreg(TSyntaxParser& p, TSyntaxObject* parent, TDBRecordObj* record)
        : TComputedLeaf(p, parent,
                        CutText(ObjView(record).Sym(ObjectRecordView::kSymDx), kSymbolCap)) {}
};
using Tenum_variable = Tcase_ctrlreg;

class Tcase_constant final : public TComputedLeaf {
public:
    Tcase_constant(TSyntaxParser& p, TSyntaxObject* parent, std::string symbol,
                   std::size_t capacity = kConstantCap)
        : TComputedLeaf(p, parent, CutText(VariantConstant(symbol), capacity)) {}
};
using Tonkey_constant = Tcase_constant;
using Tenum_constant = Tcase_constant;

class Tcase_const_comment final : public TSyntaxLeaf {
public:
    Tcase_const_comment(TSyntaxParser& p, TSyntaxObject* parent, TDBRecordObj* variant)
        : TSyntaxLeaf(p, parent), variant_(variant) {}

protected:
    void Build() override {
        const std::string comment = CaseVariantRecordView(variant_->RecData).CaseConstComment();
        if (!comment.empty())
            text_ = Enclosed(" { ", comment, " }", kConstCommentCap);
    }

private:
    TDBRecordObj* variant_;
};

class Tcasebitmap_description final : public TSyntaxLeaf {
public:
    Tcasebitmap_description(TSyntaxParser& p, TSyntaxObject* parent, TDBRecordObj* record)
        : TSyntaxLeaf(p, parent), record_(record) {}

protected:
    void Build() override {
        const ObjectRecordView o = ObjView(record_);
        if (o.ParamByte() == kNoBankNum)
            return; // the line is still written, holding only the indentation
        statement_ = "bitmap " + Num(o.ParamByte()) + ";";
        comment_ = o.ObjText();
        text_ = comment_.empty() ? statement_
                                 : Enclosed(statement_ + " { ", comment_, " }", kLongTextCap);
    }
    // Deep in a case layer the indentation leaves less room: the comment is cut, not its end.
    void Write() override {
        const std::size_t room = Parser().Exporter ? Parser().Exporter->LineRoom() : kLongTextCap;
        if (!comment_.empty() && text_.size() > room)
            text_ = Enclosed(statement_ + " { ", comment_, " }", room);
        Emit(text_);
    }

private:
    TDBRecordObj* record_;
    std::string statement_, comment_;
};

// The objects of a case layer.
class Tcase_variant_description final : public TSyntaxComposite {
public:
    Tcase_variant_description(TSyntaxParser& p, TSyntaxObject* parent, ObjectScope scope,
                              std::uint8_t layer)
        : TSyntaxComposite(p, parent), scope_(scope), layer_(layer) {}

protected:
    bool CreateChildren() override {
        if (layer_ < kFirstCaseLayer || layer_ > kLastCaseLayer)
            return true;
        AddText("begin ", 0, true, 2);
        const std::vector<TDBRecordObj*> records = RecordsOf(scope_.objects);
        for (TDBRecordObj* record : records) {
            const ObjectRecordView o = ObjView(record);
            if (o.Kind() == kObjCaseBmp && o.Layer() == layer_ && InScope(o, scope_.help))
                Add<Tcasebitmap_description>(0, true, 0, record);
        }
        Add<Ttext_descriptions>(scope_, layer_);
        Add<Tgraphic_descriptions>(scope_, layer_);
        if (!scope_.help) {
            for (TDBRecordObj* record : records) {
                const ObjectRecordView o = ObjView(record);
                if (o.Kind() == kObjCmdOnKey && o.Layer() == layer_) {
                    Add<Tonkey_description>(record);
                    break;
                }
            }
        }
        AddText("end", -2, false, 0);
        return true;
    }
    // A case layer starts and ends without a font selected, even an empty one.
    void BeforeEmit() override { Parser().CurrentFont = kNoFont; }
    void AfterEmit() override { Parser().CurrentFont = kNoFont; }

private:
    ObjectScope scope_;
    std::uint8_t layer_;
};

class Tcase_variant final : public TSyntaxComposite {
public:
    Tcase_variant(TSyntaxParser& p, TSyntaxObject* parent, ObjectScope scope, TDBRecordObj* variant)
        : TSyntaxComposite(p, parent), scope_(scope), variant_(variant) {}

protected:
    bool CreateChildren() override {
        const CaseVariantRecordView v(variant_->RecData);
        Add<Tcase_constant>(v.CaseConstSym());
        Add<Tcase_const_comment>(0, true, 2, variant_);
        Add<Tcase_variant_description>(scope_, v.CaseLayer());
        AddText(";", 0, true, -2);
        return true;
    }

private:
    ObjectScope scope_;
    TDBRecordObj* variant_;
};

class Tcase_variants final : public TSyntaxComposite {
public:
    Tcase_variants(TSyntaxParser& p, TSyntaxObject* parent, ObjectScope scope, TDBRecordObj* record)
        : TSyntaxComposite(p, parent), scope_(scope), record_(record) {}

protected:
    bool CreateChildren() override {
        for (TDBRecordObj* variant : RecordsOf(SubDataBase(record_, kDBCaseVariants)))
            Add<Tcase_variant>(scope_, variant);
        return true;
    }

private:
    ObjectScope scope_;
    TDBRecordObj* record_;
};

class Tcase_description final : public TSyntaxComposite {
public:
    Tcase_description(TSyntaxParser& p, TSyntaxObject* parent, ObjectScope scope,
                      TDBRecordObj* record)
        : TSyntaxComposite(p, parent), scope_(scope), record_(record) {}

protected:
    bool CreateChildren() override {
        AddText("case ");
        Add<Tcase_ctrlreg>(record_);
        AddText(" of ");
        Add<Tobjtext_comment>(0, true, 2, record_);
        Add<Tcase_variants>(scope_, record_);
        AddText("end;", -2, true, 0);
        return true;
    }

private:
    ObjectScope scope_;
    TDBRecordObj* record_;
};

class Tonkey_variant_description final : public TComputedLeaf {
public:
    Tonkey_variant_description(TSyntaxParser& p, TSyntaxObject* parent, std::string code)
        : TComputedLeaf(p, parent, CutText(code, kLongTextCap), true) {}
};
using Twait_statement_body = Tonkey_variant_description;

class Tonkey_variant final : public TSyntaxComposite {
public:
    Tonkey_variant(TSyntaxParser& p, TSyntaxObject* parent, TDBRecordObj* variant)
        : TSyntaxComposite(p, parent), variant_(variant) {}

protected:
    bool CreateChildren() override {
        const OnKeyVariantRecordView v(variant_->RecData);
        Add<Tonkey_constant>(0, true, 2, v.OnKeyConstSym());
        AddText("begin ", 0, true, 2);
        Add<Tonkey_variant_description>(0, true, -2, v.OnKeyConstCode());
        AddText("end;", 0, true, -2);
        return true;
    }

private:
    TDBRecordObj* variant_;
};

class Tonkey_variants final : public TSyntaxComposite {
public:
    Tonkey_variants(TSyntaxParser& p, TSyntaxObject* parent, TDBRecordObj* record)
        : TSyntaxComposite(p, parent), record_(record) {}

protected:
    bool CreateChildren() override {
        for (TDBRecordObj* variant : RecordsOf(SubDataBase(record_, kDBOnKeyVariants)))
            Add<Tonkey_variant>(variant);
        return true;
    }

private:
    TDBRecordObj* record_;
};

class Twait_timeout final : public TComputedLeaf {
public:
    Twait_timeout(TSyntaxParser& p, TSyntaxObject* parent, TDBRecordObj* record)
        : TComputedLeaf(p, parent, CutText(Num(ObjView(record).WaitTimeout()), kTimeoutCap)) {}
};

class Tenum_item_text final : public TComputedLeaf {
public:
    Tenum_item_text(TSyntaxParser& p, TSyntaxObject* parent, std::string text)
        : TComputedLeaf(p, parent, CutText(text, kLongTextCap)) {}
};

class Tenum_variant_description final : public TSyntaxComposite {
public:
    Tenum_variant_description(TSyntaxParser& p, TSyntaxObject* parent, TDBRecordObj* variant)
        : TSyntaxComposite(p, parent), variant_(variant) {}

protected:
    bool CreateChildren() override {
        AddText("print \"");
        Add<Tenum_item_text>(EnumVariantRecordView(variant_->RecData).EnumConstStr());
        AddText("\"");
        AddText(";", 0, true, 0);
        return true;
    }

private:
    TDBRecordObj* variant_;
};

class Tenum_variant final : public TSyntaxComposite {
public:
    Tenum_variant(TSyntaxParser& p, TSyntaxObject* parent, TDBRecordObj* variant)
        : TSyntaxComposite(p, parent), variant_(variant) {}

protected:
    bool CreateChildren() override {
        Add<Tenum_constant>(EnumVariantRecordView(variant_->RecData).EnumConstSym(),
                            kEnumConstantCap);
        Add<Tenum_variant_description>(variant_);
        return true;
    }

private:
    TDBRecordObj* variant_;
};

class Tenum_variants final : public TSyntaxComposite {
public:
    Tenum_variants(TSyntaxParser& p, TSyntaxObject* parent, TDBRecordObj* record)
        : TSyntaxComposite(p, parent), record_(record) {}

protected:
    bool CreateChildren() override {
        for (TDBRecordObj* variant : RecordsOf(SubDataBase(record_, kDBEnumVariants)))
            Add<Tenum_variant>(variant);
        return true;
    }

private:
    TDBRecordObj* record_;
};

class Tenum_description final : public TSyntaxComposite {
public:
    Tenum_description(TSyntaxParser& p, TSyntaxObject* parent, TDBRecordObj* record)
        : TSyntaxComposite(p, parent), record_(record) {}

protected:
    bool CreateChildren() override {
        Add<Tfont_description>(0, true, 0, record_);
        Add<Tposition_description>(record_);
        AddText("", 0, true, 0);
        AddText("case ");
        Add<Tenum_variable>(record_);
        AddText(" of", 0, true, 2);
        Add<Tenum_variants>(record_);
        AddText("end;", -2, true, 0);
        return true;
    }

private:
    TDBRecordObj* record_;
};

} // namespace

std::string VariantConstant(const std::string& symbol) {
    return symbol + (IsDefaultVariantSym(symbol) ? " " : ": ");
}

bool Tcase_descriptions::CreateChildren() {
    for (TDBRecordObj* record : RecordsOf(scope_.objects)) {
        const ObjectRecordView o = ObjView(record);
        if (o.Kind() == kObjCmdCase && InScope(o, scope_.help) &&
            ((o.Options() & kOptOnEntryCase) != 0) == onEntry_)
            AddKeyed<Tcase_description>(o.Y1(), scope_, record);
    }
    return true;
}

bool Tonkey_description::CreateChildren() {
    AddText("onkey ");
    Add<Tobjtext_comment>(0, true, 2, record_);
    Add<Tonkey_variants>(record_);
    AddText("end;", -2, true, 0);
    return true;
}

bool Twait_statement::CreateChildren() {
    AddText("wait ");
    Add<Twait_timeout>(record_);
    AddText(", ", 2, true, 0);
    Add<Twait_statement_body>(ObjView(record_).ObjText());
    AddText(";", 0, true, -2);
    return true;
}

bool Teditenter_statement::CreateChildren() {
    AddText("EditEnter ", 0, true, 2);
    AddText("begin ", 0, true, 2);
    Add<Twait_statement_body>(0, true, 0, ObjView(record_).ObjText());
    AddText("end;", -2, true, -2);
    return true;
}

bool Tenum_descriptions::CreateChildren() {
    for (TDBRecordObj* record : RecordsOf(scope_.objects)) {
        const ObjectRecordView o = ObjView(record);
        if (o.Kind() == kObjEnum && InScope(o, scope_.help))
            Add<Tenum_description>(record);
    }
    return true;
}

} // namespace panolcd
