// The label at the top right that names the publisher and opens its web page.
#pragma once

#include <windows.h>

#include <string>

#include "common/text.h"

namespace quillfern {

inline constexpr wchar_t kHyperlinkLabelClass[] = L"QuillfernHyperlink";

bool registerHyperlinkLabelClass(HINSTANCE instance);

// The brand name followed by the publisher's host in full-width parentheses.
std::wstring hyperlinkLabelText();

// The publisher's page that a click opens.
Text hyperlinkTarget();

}  // namespace quillfern
