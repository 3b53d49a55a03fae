#include "BoardFile.h"

#include "FileStart.h"
#include "documents/PendingFile.h"

#include <unistd.h>

namespace kx::board {

namespace {

    constexpr int kLinesPerPage = 1 + kButtonCount;
    constexpr int kLineCount = kPageCount * kLinesPerPage;
    /// A board file that holds every line at its longest, with CR LF; nothing past it is read.
    constexpr std::size_t kLongestFile = kPageCount * ((kPageNameLimit + 2) + kButtonCount * (kPathLimit + 2));

    constexpr std::string_view kEmptyLine = "-";

    /// Text a line may carry: no control characters, so neither binary data nor a stray CR.
    bool isLineText(std::string_view line)
    {
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
                return false;
        }
        return true;
    }

    void appendLine(std::string& text, const std::string& value)
    {
        text += value.empty() ? kEmptyLine : std::string_view(value);
        text += "\r\n";
    }

} // namespace

const char* boardFileMessage(BoardFileStatus status)
{
    switch (status) {
    case BoardFileStatus::Ok:
        return "";
    case BoardFileStatus::CannotOpen:
        return "File could not be opened.";
    case BoardFileStatus::NotABoard:
        return "File is not a Tonedeck file.";
    case BoardFileStatus::CannotWrite:
        return "File could not be saved.";
    }
    return "";
}

std::string boardSavePath(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::string_view fileName
        = slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
    if (fileName.size() >= 4 && fileName[fileName.size() - 4] == '.')
        return path;
    return path + ".SPL";
}

std::string boardFileText(const Board& board)
{
    std::string text;
    for (const Page& page : board.pages) {
        appendLine(text, page.name);
        for (const std::string& slot : page.paths)
            appendLine(text, slot);
    }
    return text;
}

BoardFileStatus parseBoardText(std::string_view text, std::array<Page, kPageCount>& pages)
{
    std::array<Page, kPageCount> read;
    std::size_t at = 0;
    for (int line = 0; line < kLineCount; ++line) {
        // A short board keeps the rest of its pages empty; only an empty file is no board at all.
        if (at >= text.size()) {
            if (line == 0)
                return BoardFileStatus::NotABoard;
            break;
        }
        const std::size_t end = text.find('\n', at);
        std::string_view value = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        at = end == std::string_view::npos ? text.size() : end + 1;
        if (!value.empty() && value.back() == '\r')
            value.remove_suffix(1);

        const bool isName = line % kLinesPerPage == 0;
        if (value.size() > (isName ? kPageNameLimit : kPathLimit) || !isLineText(value))
            return BoardFileStatus::NotABoard;
        if (value == kEmptyLine)
            value = {};
        Page& page = read[line / kLinesPerPage];
        if (isName)
            page.name = value;
        else
            page.paths[line % kLinesPerPage - 1] = value;
    }
    pages = std::move(read);
    return BoardFileStatus::Ok;
}

BoardFileStatus loadBoard(const std::string& path, Board& board)
{
    std::string text;
    if (!readFileStart(path, kLongestFile + 1, text))
        return BoardFileStatus::CannotOpen;
    const BoardFileStatus status = parseBoardText(text, board.pages);
    if (status != BoardFileStatus::Ok)
        return status;
    board.name = path;
    board.currentPage = 0;
    board.saved = true;
    return BoardFileStatus::Ok;
}

BoardFileStatus saveBoard(Board& board, const std::string& path)
{
    const std::string target = boardSavePath(path);
    const std::string text = boardFileText(board);
    PendingFile file(resolvedTarget(target));
    // Synced before the rename, so a crash never leaves a renamed but empty board.
    if (file.fd() < 0 || !writeAll(file.fd(), text.data(), text.size(), 0) || ::fsync(file.fd()) != 0 || !file.commit())
        return BoardFileStatus::CannotWrite;
    board.name = target;
    board.saved = true;
    return BoardFileStatus::Ok;
}

} // namespace kx::board
