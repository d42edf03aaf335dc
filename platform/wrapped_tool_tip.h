#pragma once

#include <QString>

// A tool tip of a sentence or two that wraps at a readable width: Qt wraps
// tool tips of rich text only, so the text is escaped into a paragraph.
QString wrappedToolTip(const char* text);
