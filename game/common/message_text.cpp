#include "game/common/message_text.h"

#include <algorithm>

std::string wrapMessage(std::string_view text, std::size_t columns) {
    std::string out;
    if (columns == 0) return std::string(text);
    while (!text.empty()) {
        std::size_t take = std::min(text.find('\n'), text.size());
        bool lineEnd = take < text.size();
        if (take > columns) {
            lineEnd = false;
            // The longer line of the two breaks; npos + 1 is 0, so a missing slash never wins.
            const std::size_t space = text.rfind(' ', columns), slash = text.rfind('/', columns - 1) + 1;
            take = std::max(space == std::string_view::npos ? 0 : space, slash);
            if (take == 0) take = columns;
        }
        out.append(text.substr(0, take));
        text.remove_prefix(take);
        if (!text.empty() && (lineEnd || text.front() == ' ')) text.remove_prefix(1);
        if (!text.empty() || lineEnd) out += '\n';
    }
    return out;
}
