#include "framework/dataentry/stringedits.h"

#include "common/cp1250.h"
#include "common/shortstring.h"
#include "framework/environment/restext.h"
#include "framework/records/excvalidators.h"

#include <algorithm>

namespace panolcd {
namespace {

constexpr int kBadCharsMsg = 162;

} // namespace

CharSet AllChars() {
    return CharSet().set();
}

CharSet PrintableChars() {
    CharSet chars;
    for (std::size_t c = 32; c < 256; ++c)
        chars.set(c);
    return chars;
}

void TTrStringEdit_Validator::DefAttributs(std::uint16_t flags, std::uint16_t size,
                                           const CharSet& allowed) {
    CtrlFlags = flags;
    if (size == 0)
        throw ExcValidators(ClassName() + ".DefAttributs Size=0");
    size_ = size;
    allowed_ = allowed;
}

std::size_t TTrStringEdit_Validator::Capacity() const {
    return std::min<std::size_t>(size_ - 1u, kShortStringMax);
}

void TTrStringEdit_Validator::ReadField() {
    text_ = LoadShortString(data_.data(), Capacity());
}

void TTrStringEdit_Validator::WriteField() {
    StoreShortString(data_.data(), Capacity(), text_);
}

void TTrStringEdit_Validator::ShowValue() {
    control_->SetMaxLength(static_cast<int>(Capacity()));
    control_->SetText(text_);
}

std::string TTrStringEdit_Validator::CharsRefusal() const {
    const std::string own = OwnMessage();
    return own.empty() ? ResText(kBadCharsMsg) : own;
}

bool TTrStringEdit_Validator::AllAllowed(std::string_view text) const {
    return std::ranges::all_of(
        text, [this](char c) { return allowed_.test(static_cast<unsigned char>(c)); });
}

std::string TTrStringEdit_Validator::TextRefusal(std::string_view text) const {
    if (!AllAllowed(text))
        return CharsRefusal();
    if (text.size() > Capacity())
        return Utf8ToCp1250("Text je příliš dlouhý (nejvýše ") + std::to_string(Capacity()) +
               Utf8ToCp1250(" znaků)");
    return {};
}

bool TTrStringEdit_Validator::ValidateControl() {
    const std::string refusal = CharsRefusal();
    // Stored as '?', the character would be lost without a word.
    if (const std::optional<char32_t> foreign = control_->ForeignChar())
        return Fail(refusal + ": " + UnicodeName(*foreign));
    std::string text = control_->Text();
    if (text.size() > Capacity()) {
        text.resize(Capacity());
        // Half a line break is no line break.
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        control_->SetText(text);
    }
    text_ = text;
    if (AllAllowed(text_))
        return true;
    return Fail(refusal);
}

} // namespace panolcd
