// Makes an LCD font file (.FNT) for the Windows-1250 codes from a Linux console font.
// Usage: fontgen INPUT.psf[.gz] OUTPUT.FNT FACE [--bold]

#include "psf.h"

#include "common/cp1250.h"
#include "project/fntwriter.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Every Czech letter must have its own glyph: a font that draws one as "?" is not made.
constexpr const char* kCzechLetters = "áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ";
constexpr char32_t kNoBreakSpace = 0xA0;

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string ShellQuoted(const std::string& s) {
    std::string quoted = "'";
    for (const char c : s)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool ReadInput(const std::string& name, std::vector<std::uint8_t>& bytes) {
    if (!EndsWith(name, ".gz")) {
        std::ifstream in(name, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
        return in.good() || in.eof();
    }
    FILE* pipe = popen(("gzip -dc -- " + ShellQuoted(name)).c_str(), "r");
    if (pipe == nullptr)
        return false;
    std::uint8_t buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    return pclose(pipe) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5 || (argc == 5 && std::string(argv[4]) != "--bold")) {
        std::cerr << "usage: fontgen INPUT.psf[.gz] OUTPUT.FNT FACE [--bold]\n";
        return 2;
    }
    const std::string input = argv[1];
    const std::string output = argv[2];
    std::vector<std::uint8_t> bytes;
    if (!ReadInput(input, bytes)) {
        std::cerr << "fontgen: " << input << ": cannot be read\n";
        return 1;
    }
    const fontgen::PsfReadResult psf = fontgen::ReadPsf(bytes);
    if (!psf.ok) {
        std::cerr << "fontgen: " << input << ": " << psf.error << '\n';
        return 1;
    }
    const auto glyphOf = [&psf](char32_t c) -> const std::vector<std::uint8_t>* {
        const auto found = psf.font.glyphOf.find(c);
        return found == psf.font.glyphOf.end() ? nullptr : &psf.font.glyphs[found->second];
    };
    const std::vector<std::uint8_t>* question = glyphOf(U'?');
    const std::vector<std::uint8_t>* space = glyphOf(U' ');
    if (question == nullptr || space == nullptr) {
        std::cerr << "fontgen: " << input << ": no glyph for '?' or ' '\n";
        return 1;
    }
    for (const char byte : panolcd::Utf8ToCp1250(kCzechLetters)) {
        const char32_t letter = panolcd::Cp1250ToUnicode(static_cast<std::uint8_t>(byte));
        if (glyphOf(letter) == nullptr) {
            std::cerr << "fontgen: " << input << ": no glyph for " << panolcd::UnicodeName(letter)
                      << '\n';
            return 1;
        }
    }

    // Codes from 0: the default character means the same whether it is read as a code or as an
    // offset from the first one. Control codes and characters the font lacks show "?".
    panolcd::RasterFont font;
    font.face = argv[3];
    font.copyright = "Made by PanoLCD fontgen from a Linux console font";
    font.height = psf.font.height;
    font.ascent = psf.font.height - psf.font.height / 5;
    font.bold = argc == 5;
    font.first = 0;
    font.defaultChar = '?';
    for (int code = 0; code < 256; ++code) {
        const char32_t c = panolcd::Cp1250ToUnicode(static_cast<std::uint8_t>(code));
        const std::vector<std::uint8_t>* ink = code < 0x20 ? question : glyphOf(c);
        if (ink == nullptr)
            ink = c == kNoBreakSpace ? space : question;
        font.glyphs.push_back({psf.font.width, *ink});
    }
    const auto fnt = panolcd::WriteFnt(font);
    if (!fnt) {
        std::cerr << "fontgen: " << input << ": too large for a font file\n";
        return 1;
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(fnt->data()),
              static_cast<std::streamsize>(fnt->size()));
    out.close();
    if (!out) {
        std::cerr << "fontgen: " << output << ": cannot be written\n";
        return 1;
    }
    return 0;
}
