#pragma once

#include "rtf/Document.h"

class QTextDocument;

namespace Rtf {

// Replaces the content of `target` with `rtf`: one block per paragraph, one
// fragment per run, tables as tables, pictures as images decoded when first
// shown; lengths converted from twips to pixels.
void fillTextDocument(QTextDocument* target, const Document& rtf);

} // namespace Rtf
