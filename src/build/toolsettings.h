#pragma once
// The settings entries that keep the command-line templates of the two external tools: the
// Vorn-Basic compiler ("WCOMPILE") and the program loader ("VSLOADER"). A template holds one %s
// for the full path of the file to process.

#include "framework/environment/nameobject.h"

#include <string>

namespace panolcd {

class TCommandNameObject : public TNameObject {
public:
    static constexpr std::size_t kTemplateCap = 254;

    using TNameObject::TNameObject;
    bool ParseParam(const std::string& keyword) override;
    std::string BuildParamText() const override;

    std::string CMD; // Windows-1250, at most kTemplateCap characters
};

class TWCompilerNameObject final : public TCommandNameObject {
public:
    explicit TWCompilerNameObject(std::string_view name = "WCOMPILE") : TCommandNameObject(name) {}
    std::string_view ClassName() const override { return "TWCompilerNameObject"; }
};

class TVSLoaderNameObject final : public TCommandNameObject {
public:
    explicit TVSLoaderNameObject(std::string_view name = "VSLOADER") : TCommandNameObject(name) {}
    std::string_view ClassName() const override { return "TVSLoaderNameObject"; }
};

} // namespace panolcd
