#include "status_text.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "tarvik_doc.h"

namespace tarvik {

namespace {

// 1234567 → "1,234,567".
std::string grouped(std::int64_t n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}

// The plot's notices in words, oldest first, each text once.
std::vector<std::string> notice_texts(const CTarvikDoc& doc) {
    std::vector<std::string> texts;
    for (const CurveNotice& n : doc.notices().all()) {
        if (n.curve >= doc.curve_count())
            continue;
        std::string text = notice_text(n.notice, doc.file_name(n.curve));
        // Two curves of one file see the same thing; the newer sighting counts.
        std::erase(texts, text);
        texts.push_back(std::move(text));
    }
    return texts;
}

}  // namespace

std::string notice_text(const DataNotice& notice, const std::string& file) {
    switch (notice.kind) {
        case DataNotice::Kind::EmptyLine:
            return "data ends at line " + grouped(notice.line) + " of " + file + ": an empty line";
        case DataNotice::Kind::WaitingToGrow:
            return file + " shrank or was replaced: waiting for it to grow past the " +
                   grouped(notice.taken) + " data lines already taken (it has " +
                   grouped(notice.line) + ")";
        case DataNotice::Kind::FileMissing:
            return file + " no longer exists: the curve keeps its points until it is back";
    }
    return {};
}

std::string notices_tooltip(const CTarvikDoc& doc) {
    std::string tooltip;
    for (const std::string& text : notice_texts(doc)) {
        if (!tooltip.empty())
            tooltip += '\n';
        tooltip += text;
    }
    return tooltip;
}

std::string status_text(const CTarvikDoc& doc, const PlotViewState& state,
                        std::time_t last_update) {
    std::int64_t points = 0;
    for (int i = 0; i < doc.curve_count(); ++i) {
        const auto& history = doc.history(i);
        if (!history.empty())
            points += history.front().count;
    }
    const int curves = doc.curve_count();
    std::string text = grouped(curves) + (curves == 1 ? " curve, " : " curves, ") +
                       grouped(points) + (points == 1 ? " point" : " points");
    if (last_update != 0)
        text += "  |  updated " + local_time_text(last_update);
    if (state.m_Frozen)
        text += "  |  Frozen";
    const std::vector<std::string> notices = notice_texts(doc);
    if (!notices.empty()) {
        text += "  |  " + notices.back();
        if (notices.size() > 1)
            text += "  (" + std::to_string(notices.size() - 1) + " more)";
    }
    return text;
}

}  // namespace tarvik
