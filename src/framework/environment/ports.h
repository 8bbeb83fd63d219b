#pragma once
// The ways core reaches the user and the machine. The ui layer implements them with Qt; tests
// fake them. Texts crossing a port are Windows-1250.

#include <cstddef>
#include <cstdint>
#include <string>

namespace panolcd {

// Message-box style flags: kind in bits 0xF0, buttons in bits 0x0F.
namespace mb {
inline constexpr unsigned kOk = 0x00;
inline constexpr unsigned kOkCancel = 0x01;
inline constexpr unsigned kAbortRetryIgnore = 0x02;
inline constexpr unsigned kYesNoCancel = 0x03;
inline constexpr unsigned kYesNo = 0x04;
inline constexpr unsigned kRetryCancel = 0x05;
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconWarning = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
} // namespace mb

enum class MsgKind { Error, Confirmation, Information, Warning };
enum class MsgButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

// The button a message box was closed with; the numbers are the ones callers store and compare.
enum class MsgResult : int {
    None = 0,
    Ok = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7
};

MsgKind MsgKindOf(unsigned flags);
MsgButtons MsgButtonsOf(unsigned flags);

class UserPort {
public:
    virtual ~UserPort() = default;
    virtual void Beep() = 0;
    // Shows a modal message box and returns the button pressed.
    virtual MsgResult ShowMessage(MsgKind kind, MsgButtons buttons, const std::string& caption,
                                  const std::string& text) = 0;
    // Asks the main window to close (the program then ends through its close query).
    virtual void RequestAppClose() = 0;
};

struct LocalDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class ClockPort {
public:
    virtual ~ClockPort() = default;
    virtual LocalDateTime Now() const = 0;
};

// Without a user interface (batch mode, a test that sets none): nothing is shown, every box
// answers with its first button, closing requests are ignored.
class HeadlessUserPort final : public UserPort {
public:
    void Beep() override {}
    MsgResult ShowMessage(MsgKind kind, MsgButtons buttons, const std::string& caption,
                          const std::string& text) override;
    void RequestAppClose() override {}
};

// The system clipboard, plain text only.
class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // True when the clipboard holds a non-empty text.
    virtual bool HasText() const = 0;
};

// The clipboard of a process without a window system (batch mode, tests): a text in memory.
class MemoryClipboardPort final : public ClipboardPort {
public:
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    bool HasText() const override { return !text_.empty(); }

private:
    std::string text_;
};

// How a modal dialog ended. None = no dialog ran (an empty name, no user interface); any way of
// leaving other than OK (Cancel, Escape, the close box) is Cancel.
enum class DialogResult { None = 0, Ok = 1, Cancel = 2 };

// Runs a dialog registered by name on a transfer buffer of `size` bytes that the caller owns.
class DialogPort {
public:
    virtual ~DialogPort() = default;
    virtual DialogResult RunDialog(const std::string& formName, std::uint8_t* trBuff,
                                   std::size_t size) = 0;
};

// Without a user interface no dialog runs.
class HeadlessDialogPort final : public DialogPort {
public:
    DialogResult RunDialog(const std::string&, std::uint8_t*, std::size_t) override {
        return DialogResult::None;
    }
};

class SystemClock final : public ClockPort {
public:
    LocalDateTime Now() const override;
};

} // namespace panolcd
