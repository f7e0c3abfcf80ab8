#include "PlainTextBox.h"

#include <QMimeData>

namespace {
bool holdsText(const QMimeData *source) {
    return source && source->hasText() && !source->text().isEmpty();
}
} // namespace

bool PlainTextBox::canInsertFromMimeData(const QMimeData *source) const {
    return holdsText(source);
}

void PlainTextBox::insertFromMimeData(const QMimeData *source) {
    if (holdsText(source))
        insertPlainText(source->text());
}
