#pragma once
// A main window that records what the main window's logic asks of it, for the controller tests.

#include "app/mainformports.h"
#include "app/projectstore.h"
#include "framework/windows/windowscontext.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace panolcd::testing {

class FakeScreen final : public ScreenWindowOps {
public:
    int zoom = 1;
    std::uint32_t layers = 0x80000007u;
    std::uint8_t flags = 0;
    std::vector<std::string> log;

    int Zoom() const override { return zoom; }
    void SetZoom(int z) override { zoom = z; }
    std::uint32_t VisibleLayers() const override { return layers; }
    void ShowLayer(int layer) override { layers |= 1u << layer; }
    void HideLayer(int layer) override { layers &= ~(1u << layer); }
    void HideLayers(std::uint32_t mask) override { layers &= ~mask; }
    std::uint8_t Flags() const override { return flags; }
    void SetHelpMode(bool on) override { flags = on ? 0x80 : 0; }
    void InsertObject(std::uint8_t layer, std::uint8_t home, std::uint8_t help,
                      std::uint8_t kind) override {
        log.push_back("insert " + std::to_string(kind) + " " + std::to_string(layer) + "/" +
                      std::to_string(home) + " " + std::to_string(help));
    }
    void DeleteVisibleObjects() override { log.push_back("delete visible"); }
    void ClearScreenBitmap() override { log.push_back("clear bitmap"); }
    void SelectedToBack() override { log.push_back("to back"); }
};

class FakeMainForm final : public MainFormPort {
public:
    std::vector<std::string> log;
    std::deque<std::optional<FileChoice>> answers; // per file dialog; empty: cancelled
    ChildKind active = ChildKind::None;
    FakeScreen screen;
    bool rootOpen = false;
    bool prgEditor = false;
    int busy = 0;

    TTransferBuffObj& TransferBuffer() override { return transfer_; }
    void BeginBusy() override { ++busy; }
    void EndBusy() override { --busy; }

    void PostProjectCmd(ProjectCmd command) override {
        log.push_back("post " + std::to_string(static_cast<int>(command)));
    }
    std::uint32_t fileReply = 0; // what the windows answer to a file command
    std::uint32_t BroadcastFileCmd(FileRecId record) override {
        static const char* const kNames[] = {"", "Prg", "Pri", "Ed", "Saved", "EdSettings"};
        const TFileCmdRec& rec = WindowsCtx().fileCmds.Of(record);
        log.push_back(std::string("file ") + kNames[static_cast<int>(record)] + " '" +
                      rec.FileName + "' " + std::to_string(rec.Command));
        return fileReply;
    }
    std::uint32_t commitReply = 0; // what the windows answer to ecCommitEdits
    std::uint32_t BroadcastEditCmd(EditCmd command) override {
        log.push_back("edit " + std::to_string(command));
        return command == ecCommitEdits ? commitReply : 0;
    }
    std::optional<FileChoice> AskFile(FileDialogKind dialog, const std::string& dir,
                                      const std::string& name, int filter) override {
        log.push_back("ask " + std::to_string(static_cast<int>(dialog)) + " '" + dir + "' '" +
                      name + "' " + std::to_string(filter));
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void SetLcdToolbarsVisible(bool visible) override {
        log.push_back(visible ? "toolbars on" : "toolbars off");
    }
    bool RaiseRootWindow() override {
        if (rootOpen)
            log.push_back("raise root");
        return rootOpen;
    }
    void CreateRootWindow(TDataBase&, TDBRecordObj* record) override {
        rootOpen = true;
        log.push_back(record != nullptr ? "create root" : "create root without record");
    }
    void CloseProjectWindows() override {
        rootOpen = false;
        log.push_back("close project windows");
    }
    bool RaisePrgEditor() override { return prgEditor; }
    bool HasPrgEditor() const override { return prgEditor; }
    bool editorWindows = true; // false: CreatePrgEditor opens nothing, as before editors exist
    void CreatePrgEditor() override {
        prgEditor = editorWindows;
        log.push_back("create prg '" + WindowsCtx().fileCmds.Prg.FileName + "'");
    }
    void ShowErrorLocation(const TCompileResult& result) override {
        log.push_back("error at " + std::to_string(static_cast<int>(result.where)) + " " +
                      std::to_string(result.line) + ":" + std::to_string(result.begin) + "-" +
                      std::to_string(result.end) + " '" + result.file + "'");
    }
    ChildKind ActiveChild() const override { return active; }
    ScreenWindowOps* ActiveScreen() override {
        return active == ChildKind::Screen ? &screen : nullptr;
    }

    // The log since the last call.
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }

private:
    TTransferBuffObj transfer_;
};

// The project file store, with writes that can be made to fail.
class TestStore final : public ProjectStore {
public:
    bool failSave = false;
    std::vector<std::string> saved;
    bool Load(const std::string& fileName) override { return files_.Load(fileName); }
    bool Save(const std::string& fileName) override {
        if (failSave)
            return false;
        saved.push_back(fileName);
        return files_.Save(fileName);
    }

private:
    FileProjectStore files_;
};

} // namespace panolcd::testing
