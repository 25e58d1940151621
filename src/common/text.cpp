#include "common/text.h"

namespace quillfern {

Text removeSubtext(std::string_view text, std::string_view subtext) {
  if (text.empty() || subtext.empty()) return Text(text);
  Text result;
  result.reserve(text.size());
  std::size_t at = 0;
  while (text.size() - at >= subtext.size()) {
    if (text.compare(at, subtext.size(), subtext) == 0) {
      at += subtext.size();
    } else if (isLeadByte(text[at])) {
      if (at + 1 == text.size()) return result;  // a cut two-byte character is dropped
      result.append(text.substr(at, 2));
      at += 2;
    } else {
      result.push_back(text[at]);
      ++at;
    }
  }
  result.append(text.substr(at));
  return result;
}

Text removeSpaces(std::string_view text) {
  Text result;
  result.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char byte = text[at];
    if (isLeadByte(byte)) {
      if (at + 1 == text.size()) break;  // a cut two-byte character is dropped
      const bool fullWidthSpace = byte == '\xA1' && text[at + 1] == '\xA1';
      if (!fullWidthSpace) result.append(text.substr(at, 2));
      ++at;
    } else if (byte != ' ') {
      result.push_back(byte);
    }
  }
  return result;
}

std::vector<Text> splitText(std::string_view text, std::string_view delimiter) {
  std::vector<Text> pieces;
  if (text.empty()) return pieces;
  if (delimiter.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t pieceStart = 0;
  std::size_t at = 0;
  while (text.size() - at >= delimiter.size()) {
    if (text.compare(at, delimiter.size(), delimiter) == 0) {
      pieces.emplace_back(text.substr(pieceStart, at - pieceStart));
      at += delimiter.size();
      pieceStart = at;
    } else if (isLeadByte(text[at])) {
      if (at + 1 == text.size()) break;  // a cut two-byte character stays in the last piece
      at += 2;
    } else {
      ++at;
    }
  }
  if (pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
  return pieces;
}

std::size_t findSubtext(std::string_view text, std::string_view subtext) {
  if (subtext.empty()) return 0;
  for (std::size_t at = 0; text.size() - at >= subtext.size(); at += isLeadByte(text[at]) ? 2 : 1) {
    if (text.compare(at, subtext.size(), subtext) == 0) return at;
    if (isLeadByte(text[at]) && at + 1 == text.size()) break;
  }
  return std::string_view::npos;
}

bool lastCharacterIs(std::string_view text, char c) {
  std::size_t lastStart = text.size();
  for (std::size_t at = 0; at < text.size(); at += (isLeadByte(text[at]) ? 2 : 1))
    lastStart = at;
  return lastStart < text.size() && lastStart + 1 == text.size() && text[lastStart] == c;
}

}  // namespace quillfern
