// The fixed texts of the main window: the help text held by the hidden
// text area `disclaimFld` and the by-line `authorTxt` under the picture.
#pragma once

#include <string>
#include <string_view>

// The help text that the help button copies into the report area:
// paragraphs separated by two carriage returns, plain ASCII, no line feed,
// ending in a space with no line end after it.
const std::string& HelpText();

// The by-line under the product picture; one line.
inline constexpr std::string_view kAuthorText = "by the Vellacor team";
