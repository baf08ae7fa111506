#include "print/backend/jobname.h"

#include <algorithm>
#include <cctype>

namespace jobname {

namespace {

constexpr std::size_t MaxName = 200;

bool endsWithPdf(const std::string &name)
{
    if (name.size() < 4)
        return false;
    std::string end = name.substr(name.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return end == ".pdf";
}

// The length of an invisible character that changes how a name reads at
// `at` (bidi controls, zero-width characters, soft hyphen, byte-order
// mark), in UTF-8; 0 for any other.
std::size_t invisible(const std::string &s, std::size_t at)
{
    const auto b = [&](std::size_t i) {
        return at + i < s.size() ? static_cast<unsigned char>(s[at + i]) : 0u;
    };
    if ((b(0) == 0xC2 && b(1) == 0xAD) || (b(0) == 0xD8 && b(1) == 0x9C))
        return 2; // U+00AD, U+061C
    if (b(0) == 0xE2 && b(1) == 0x80 && ((b(2) >= 0x8B && b(2) <= 0x8F) || (b(2) >= 0xAA && b(2) <= 0xAE)))
        return 3; // U+200B-U+200F, U+202A-U+202E
    if (b(0) == 0xE2 && b(1) == 0x81 && b(2) >= 0xA0 && b(2) <= 0xA9 && b(2) != 0xA5)
        return 3; // U+2060-U+2064, U+2066-U+2069
    if ((b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF) || (b(0) == 0xE1 && b(1) == 0xA0 && b(2) == 0x8E))
        return 3; // U+FEFF, U+180E
    return 0;
}

} // namespace

std::string clean(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        if (const std::size_t skip = invisible(text, i)) {
            i += skip - 1;
            continue;
        }
        if (c == '/' || u < 0x20 || u == 0x7f)
            continue;
        out += c;
    }
    if (out.size() > MaxName) {
        std::size_t cut = MaxName;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    // A leading dot hides a file; spaces at the ends are lost in file
    // managers.
    while (!out.empty() && (out.front() == '.' || out.front() == ' '))
        out.erase(out.begin());
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string fromTitle(const std::string &title, const std::string &job)
{
    std::string name = clean(title);
    if (name.empty() || name == ".pdf")
        name = "Print job " + clean(job);
    return endsWithPdf(name) ? name : name + ".pdf";
}

std::string numbered(const std::string &name, int n)
{
    if (n <= 1)
        return name;
    return name.substr(0, name.size() - 4) + " (" + std::to_string(n) + ").pdf";
}

} // namespace jobname
