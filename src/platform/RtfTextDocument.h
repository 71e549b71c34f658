#pragma once

#include "platform/RtfDocument.h"

class QTextDocument;

namespace Rtf {

// Replaces the content of `target` with `rtf`: one block per paragraph, one
// fragment per run, lengths converted from twips to pixels.
void fillTextDocument(QTextDocument* target, const Document& rtf);

} // namespace Rtf
