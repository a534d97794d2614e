#pragma once

#include "app/core/Operations.h"

#include <QPixmap>

// The wizard's pictures, drawn in code so they scale and need no asset files:
// the picture along the welcome page's left edge, one icon per operation, the
// green (safe) and red (changes data) markers.
namespace WizardArt {

QPixmap leftEdgePicture(int width, int height);
QPixmap operationIcon(Operation operation, int size = 32);
QPixmap safetyMarker(bool safe, int size = 14);

} // namespace WizardArt
