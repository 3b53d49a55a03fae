#include "CdSheet.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx::cdsheet {

namespace {

    std::string lower(std::string text)
    {
        for (char& c : text)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    bool endsWith(const std::string& text, const std::string& tail)
    {
        return text.size() >= tail.size() && lower(text.substr(text.size() - tail.size())) == tail;
    }

    /// The line's words; a quoted word keeps its spaces and loses its quotes.
    std::vector<std::string> words(const std::string& line)
    {
        std::vector<std::string> out;
        std::size_t i = 0;
        while (i < line.size()) {
            if (std::isspace(static_cast<unsigned char>(line[i]))) {
                ++i;
                continue;
            }
            std::string word;
            if (line[i] == '"') {
                const std::size_t end = line.find('"', i + 1);
                word = line.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
                i = end == std::string::npos ? line.size() : end + 1;
            } else {
                while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
                    word += line[i++];
            }
            out.push_back(word);
        }
        return out;
    }

    bool allDigits(const std::string& text, std::size_t from, std::size_t count)
    {
        if (from + count > text.size() || count == 0)
            return false;
        return std::all_of(
            text.begin() + long(from), text.begin() + long(from + count), [](char c) { return c >= '0' && c <= '9'; });
    }

    /// "mm:ss:ff" with one to three digits of minutes, seconds under 60 and frames under 75.
    bool saneTime(const std::string& word)
    {
        const std::size_t colon = word.find(':');
        if (colon == std::string::npos || colon > 3 || !allDigits(word, 0, colon) || word.size() != colon + 6
            || word[colon + 3] != ':' || !allDigits(word, colon + 1, 2) || !allDigits(word, colon + 4, 2))
            return false;
        return std::stoi(word.substr(colon + 1, 2)) < 60 && std::stoi(word.substr(colon + 4, 2)) < 75;
    }

} // namespace

Sheet check(const std::string& text, Kind kind, std::string& error)
{
    Sheet sheet;
    error.clear();
    if (text.size() > kMaxBytes) {
        error = "the sheet is too long";
        return sheet;
    }
    int lines = 0;
    int lastNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (++lines > kMaxLines) {
            error = "the sheet has too many lines";
            return sheet;
        }
        if (line.find('\0') != std::string::npos) {
            error = "the sheet is not text";
            return sheet;
        }
        if (kind == Kind::Toc) // a comment may hold anything
            line = line.substr(0, line.find("//"));
        const std::vector<std::string> w = words(line);
        if (w.empty())
            continue;
        const std::string key = lower(w[0]);
        if (kind == Kind::Cue && key == "rem")
            continue;
        const bool names = key == "file" || key == "audiofile" || key == "datafile";
        const bool textOnly = key == "title" || key == "performer" || key == "songwriter" || key == "composer"
            || key == "arranger" || key == "message" || key == "catalog" || key == "isrc";
        for (std::size_t i = names ? 2 : 1; i < w.size() && !textOnly; ++i)
            if (w[i].find(':') != std::string::npos && !saneTime(w[i])) {
                error = "line " + std::to_string(lines) + " has an impossible time";
                return sheet;
            }
        if (key == "track") {
            if (++sheet.tracks > kMaxTracks) {
                error = "the sheet has more than 99 tracks";
                return sheet;
            }
            if (kind == Kind::Cue) {
                const int number
                    = w.size() > 1 && w[1].size() <= 2 && allDigits(w[1], 0, w[1].size()) ? std::stoi(w[1]) : 0;
                if (number < 1 || number > kMaxTracks || number <= lastNumber) {
                    error = "line " + std::to_string(lines) + " has a track number out of order";
                    return sheet;
                }
                lastNumber = number;
            }
        } else if (key == "file" || (kind == Kind::Toc && names)) {
            if (w.size() < 2 || w[1].empty()) {
                error = "line " + std::to_string(lines) + " names no file";
                return sheet;
            }
            sheet.files.push_back(w[1]);
        }
    }
    if (sheet.tracks == 0)
        error = "the sheet has no track";
    return sheet;
}

std::string sheetOf(const std::string& source)
{
    if (endsWith(source, ".cue") || endsWith(source, ".toc"))
        return source;
    if (endsWith(source, ".bin"))
        return source.substr(0, source.size() - 4) + ".cue";
    return {};
}

std::string checkFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? std::string() : "it cannot be read"; // libcdio says what is missing
    struct stat info { };
    std::string text;
    std::string error;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        error = "it is not a regular file";
    else if (std::size_t(info.st_size) > kMaxBytes)
        error = "the sheet is too long";
    else {
        text.resize(std::size_t(info.st_size));
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
            if (n <= 0)
                break;
            got += std::size_t(n);
        }
        text.resize(got);
    }
    ::close(fd);
    if (!error.empty())
        return error;
    const Sheet sheet = check(text, endsWith(path, ".toc") ? Kind::Toc : Kind::Cue, error);
    if (!error.empty())
        return error;
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    for (const std::string& file : sheet.files) {
        const std::string full = file[0] == '/' ? file : dir + file;
        struct stat named { };
        if (::stat(full.c_str(), &named) == 0 && !S_ISREG(named.st_mode))
            return full + " is not a regular file";
    }
    return {};
}

} // namespace kx::cdsheet
