#pragma once

#include <QPixmap>

// The wizard's pictures, drawn in code so they scale and need no asset files:
// the picture along the welcome page's left edge, one icon per operation, the
// green (safe) and red (changes data) markers, and the warning sign.
namespace WizardArt {

enum class Operation { SequenceCheck, Renumber, Purge, EditedDocuments, Balances };

QPixmap leftEdgePicture(int width, int height);
QPixmap operationIcon(Operation operation, int size = 32);
QPixmap safetyMarker(bool safe, int size = 14);
QPixmap warningSign(int size = 48);

} // namespace WizardArt
