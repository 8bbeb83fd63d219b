#include "app/projectstore.h"

#include "framework/environment/msgbox.h"
#include "framework/exchange/exchangecontext.h"
#include "framework/exchange/safetycopy.h"
#include "framework/records/database.h"
#include "project/projectfile.h"

namespace panolcd {

bool FileProjectStore::Load(const std::string& fileName) {
    const ProjectFileResult result = LoadProjectFile(fileName, ExchangeCtx().stepRunner);
    if (!result.ok)
        MsgBox("", result.Text(), mb::kIconError | mb::kOk);
    return result.ok;
}

bool FileProjectStore::Save(const std::string& fileName) {
    TDataBase* project = ProjectColl();
    if (project == nullptr)
        return false;
    const std::optional<ReadOnlyConsent> consent = AskReplaceReadOnly(fileName);
    if (!consent)
        return false;
    const ProjectFileResult result = SaveProjectFile(*project, fileName, ExchangeCtx().stepRunner);
    if (!result.ok)
        MsgBox("", result.Text(), mb::kIconError | mb::kOk);
    return result.ok;
}

} // namespace panolcd
