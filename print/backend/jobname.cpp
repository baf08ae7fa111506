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

} // namespace

std::string clean(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
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
