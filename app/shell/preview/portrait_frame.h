// The yearbook's 4:5 crop drawn over the preview, so that the operator frames for it while
// shooting: outside the crop is dimmed, the crop itself outlined.
#pragma once

#include <QImage>

// A copy of the shown photo (already upright) with the crop a portrait would take from it.
QImage withPortraitFrame(const QImage& photo, double headroom);
