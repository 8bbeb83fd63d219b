#include "project/projectfile.h"

#include "common/cp1250.h"
#include "framework/environment/envcontext.h"
#include "framework/exchange/dbimporter.h"
#include "framework/exchange/exchangerunner.h"
#include "framework/exchange/lexreader.h"
#include "framework/exchange/steprunner.h"
#include "framework/records/database.h"
#include "project/dbtypes.h"

#include <exception>
#include <memory>
#include <utility>

namespace panolcd {
namespace {

// Keeps the first message the exchange code shows while it is installed; later ones only
// follow from it. Every box answers with its first button, as without a user interface.
class MessageCollector final : public UserPort {
public:
    MessageCollector() : previous_(std::move(EnvCtx().user)) {}
    ~MessageCollector() override = default;

    // Puts the collector in place of the current port for the lifetime of the returned guard.
    class Installed {
    public:
        Installed() {
            auto collector = std::make_unique<MessageCollector>();
            collector_ = collector.get();
            EnvCtx().user = std::move(collector);
        }
        ~Installed() {
            auto previous = std::move(collector_->previous_);
            EnvCtx().user = std::move(previous); // frees the collector
        }
        Installed(const Installed&) = delete;
        Installed& operator=(const Installed&) = delete;
        const std::string& First() const { return collector_->first_; }

    private:
        MessageCollector* collector_ = nullptr;
    };

    void Beep() override {}
    MsgResult ShowMessage(MsgKind kind, MsgButtons buttons, const std::string& caption,
                          const std::string& text) override {
        if (first_.empty())
            first_ = caption.empty() ? text : caption + ": " + text;
        return headless_.ShowMessage(kind, buttons, caption, text);
    }
    void RequestAppClose() override {}

private:
    std::unique_ptr<UserPort> previous_;
    HeadlessUserPort headless_;
    std::string first_;
};

// The reader ends its messages with the place; the report names it once, in front.
std::string WithoutPlace(std::string message, std::uint32_t line, std::size_t column) {
    const std::string place = std::to_string(line) + ":" + std::to_string(column);
    if (message.size() > place.size() &&
        message.compare(message.size() - place.size(), place.size(), place) == 0) {
        message.resize(message.size() - place.size());
        while (!message.empty() && message.back() == ' ')
            message.pop_back();
    }
    return message;
}

ProjectFileResult Failure(std::string_view fileName, std::string message,
                          const TLexicalElemReader* reader) {
    ProjectFileResult result;
    result.ok = false;
    result.file = std::string(fileName);
    if (reader != nullptr) {
        result.line = reader->LineNumber();
        result.column = reader->Column();
        message = WithoutPlace(std::move(message), result.line, result.column);
    }
    result.message = message.empty() ? Utf8ToCp1250("Činnost přerušena") : std::move(message);
    return result;
}

// Runs the import; answers the failure message, empty when the text was a whole project.
std::string ImportProject(TDBImporter& machine, TDataBase& root, StepRunner* runner,
                          const MessageCollector::Installed& messages) {
    StepRunner& used = runner != nullptr ? *runner : CurrentStepRunner();
    const bool finished =
        used.Run(machine, StepWindowTexts{"Import Database", "Import:", StepWindowKind::Import});
    if (!finished || !machine.Succeeded())
        return messages.First().empty() ? Utf8ToCp1250("Činnost přerušena") : messages.First();
    if (root.Count() != 1)
        return Utf8ToCp1250("Soubor není projekt: kořenová databáze nemá právě jeden záznam");
    TLexicalElemReader& reader = machine.Reader();
    try {
        // A second database or stray text would be lost by the next save.
        if (reader.NextChar() != 0 || reader.IsError())
            return messages.First().empty() ? Utf8ToCp1250("Za koncem projektu následuje text")
                                            : messages.First();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

} // namespace

std::string ProjectFileResult::Text() const {
    if (line == 0)
        return file + ": " + message;
    return file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message;
}

ProjectFileResult LoadProjectFile(std::string_view fileName, StepRunner* runner) {
    const MessageCollector::Installed messages;
    TDataBase& root = CreateProjectColl(kDBRoot);
    std::unique_ptr<TDBImporter> machine;
    try {
        machine = std::make_unique<TDBImporter>(std::make_unique<TLexicalElemReader>(fileName),
                                                root, -1, -1);
    } catch (const std::exception& e) {
        CloseProjectColl();
        return Failure(fileName, e.what(), nullptr);
    }
    std::string failure = ImportProject(*machine, root, runner, messages);
    if (!failure.empty()) {
        ProjectFileResult result = Failure(fileName, std::move(failure), &machine->Reader());
        machine.reset(); // frees what it built before the project goes
        CloseProjectColl();
        return result;
    }
    root.DBFileName = std::string(fileName);
    root.ClearModified();
    ProjectFileResult result;
    result.file = std::string(fileName);
    return result;
}

ProjectFileResult SaveProjectFile(TDataBase& root, std::string_view requestedName,
                                  StepRunner* runner) {
    // The name may be the root's own, which is replaced below.
    const std::string fileName(requestedName);
    const MessageCollector::Installed messages;
    if (!ExportDatabase(fileName, root, runner))
        return Failure(fileName, messages.First(), nullptr);
    root.DBFileName = fileName;
    root.ClearModified();
    ProjectFileResult result;
    result.file = fileName;
    return result;
}

} // namespace panolcd
