#pragma once
// What the main window knows of its child windows: what each one is, what the screen design
// windows let it do, and the one port through which children reach the status bar.

#include "framework/windows/windowscontext.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace panolcd {

// What a child window of the main window is.
enum class ChildKind {
    None,   // no child window (the main window itself)
    Root,   // the project root window
    Record, // a record window of a registered class
    Screen, // a screen design window
    PrgEditor,
    PriViewer,
    GeneralEditor,
    Diagnostic, // the diagnostic output window
    Other,
};

// A screen design window as the main window's layer, zoom and insertion commands use it.
class ScreenWindowOps {
public:
    virtual ~ScreenWindowOps() = default;
    virtual int Zoom() const = 0;
    virtual void SetZoom(int zoom) = 0;
    // Bit n set: layer n shown.
    virtual std::uint32_t VisibleLayers() const = 0;
    virtual void ShowLayer(int layer) = 0;
    virtual void HideLayer(int layer) = 0;
    virtual void HideLayers(std::uint32_t mask) = 0;
    // Bit 7: help-screen mode.
    virtual std::uint8_t Flags() const = 0;
    virtual void SetHelpMode(bool on) = 0;
    virtual void InsertObject(std::uint8_t layer, std::uint8_t homeLayer, std::uint8_t helpFlag,
                              std::uint8_t kind) = 0;
    // Deletes every object on the visible layers.
    virtual void DeleteVisibleObjects() = 0;
    virtual void ClearScreenBitmap() = 0;
    virtual void SelectedToBack() = 0;
};

// The main window's status bar as the child windows write to it.
class StatusPort {
public:
    virtual ~StatusPort() = default;
    // LCD coordinates under the mouse.
    virtual void ShowCursorPosition(int x, int y) = 0;
    // The frame and description of the object under the mouse; an empty description for none.
    virtual void ShowObjectInfo(int left, int top, int right, int bottom,
                                std::string_view description) = 0;
    // A hint (panel 3). Windows-1250.
    virtual void ShowHint(std::string_view text) = 0;
};

// A child window of the main window.
class ChildWindow {
public:
    virtual ~ChildWindow() = default;
    virtual ChildKind Kind() const = 0;
    // The registered class of a record window ("F_LCROOT"); empty for other windows.
    virtual std::string WindowClass() const { return {}; }
    // The edit capabilities (cap:: bits) the window offers now.
    virtual std::uint32_t EditCaps() = 0;
    // The screen design operations of a screen window; none for other windows.
    virtual ScreenWindowOps* ScreenOps() { return nullptr; }
};

// The status bar of the main window the record windows open in; none without one.
StatusPort* MainStatusBar();

} // namespace panolcd
