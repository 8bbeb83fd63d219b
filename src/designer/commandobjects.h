#pragma once
// The program constructs on a screen: case, onkey, wait and editenter boxes that show a summary
// of the code the generator emits with the screen, and the case bitmap that picks a case layer's
// picture. The boxes only display; their records are edited in the command windows.

#include "designer/lcdobject.h"
#include "project/bitmapuse.h"

#include <string>
#include <vector>

namespace panolcd {

// Code of several lines as one: blanks and line breaks between two characters become one blank,
// except that a single line break joins them; at most 254 characters.
std::string OneLineForm(std::string_view code);

class TLCDCommandBox : public TLCDCmdObject {
public:
    using TLCDCmdObject::TLCDCmdObject;
    // The lines the box shows, top to bottom; those that do not fit are left out.
    virtual std::vector<std::string> Lines() const = 0;

protected:
    void PaintCommandText(Painter& painter, const LcdRect& textRect) override;
};

class TLCDCaseObj : public TLCDCommandBox {
public:
    using TLCDCommandBox::TLCDCommandBox;
    std::string ClassName() const override { return "TLCDCaseObj"; }

    std::string ControlVariable;
    std::string Comment;
    std::vector<std::string> VariantLines;

    void LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look, Scroll scroll,
                        bool skipGeometry) override;
    void RefreshFromRecord(const TDBRecordObj* record, Scroll scroll) override;
    std::vector<std::string> Lines() const override;
};

class TLCDOnKeyObj : public TLCDCommandBox {
public:
    using TLCDCommandBox::TLCDCommandBox;
    std::string ClassName() const override { return "TLCDOnKeyObj"; }

    std::string Comment;
    std::vector<std::string> VariantLines;

    void RefreshFromRecord(const TDBRecordObj* record, Scroll scroll) override;
    std::vector<std::string> Lines() const override;
};

class TLCDCmdWaitObj : public TLCDCommandBox {
public:
    using TLCDCommandBox::TLCDCommandBox;
    std::string ClassName() const override { return "TLCDCmdWaitObj"; }

    std::int32_t Timeout = 0;
    std::string Statement;

    void RefreshFromRecord(const TDBRecordObj* record, Scroll scroll) override;
    std::vector<std::string> Lines() const override;
};

class TLCDEditEnterObj : public TLCDCommandBox {
public:
    using TLCDCommandBox::TLCDCommandBox;
    std::string ClassName() const override { return "TLCDEditEnterObj"; }

    std::string Statement;

    void RefreshFromRecord(const TDBRecordObj* record, Scroll scroll) override;
    std::vector<std::string> Lines() const override;
};

class TLCDCaseBmpObj : public TLCDCommandBox {
public:
    explicit TLCDCaseBmpObj(int zoom = 1) : TLCDCommandBox(zoom) {}
    std::string ClassName() const override { return "TLCDCaseBmpObj"; }

    std::string Comment;

    std::uint8_t BitmapNumber() const { return bitmap_.Number(); }
    // The picture of the bank; nullptr when its file is missing or refused.
    const BmpImage* Bitmap() const { return bitmap_.Bitmap(); }
    void SetBitmap(std::uint8_t number) { bitmap_.SetBitmap(number); }

    void LoadFromRecord(std::span<std::uint8_t> record, const ObjectLook& look, Scroll scroll,
                        bool skipGeometry) override;
    std::vector<std::string> Lines() const override;

protected:
    void StoreFields(ObjectFields& fields) const override;

private:
    BitmapUse bitmap_{BitmapUse::WhenMissing::KeepNumber};
};

} // namespace panolcd
