#include "documents/DocumentText.h"

#include <algorithm>

DocumentText Problem(DocumentKind kind, ReadProblem problem, std::string detail) {
    return {kind, problem, {}, std::move(detail)};
}

DocumentText TextOrNoText(DocumentKind kind, std::string text) {
    const bool blank = std::all_of(text.begin(), text.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
    });
    if (blank)
        return Problem(kind, ReadProblem::NoText);
    return {kind, ReadProblem::None, std::move(text), {}};
}
