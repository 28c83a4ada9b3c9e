// Reads a photo for the preview at the size it is shown. A 45-megapixel JPEG decoded in full
// takes most of a second and 180 MB; asked for a box, the JPEG decoder scales while it decodes,
// which is many times faster and needs only the small image.
#pragma once

#include <QImage>
#include <QSize>
#include <string>

// The image at `path` (file-name bytes, UTF-8 or not) fitted into `box` (keeping its aspect ratio
// and honouring its orientation); a null image when it cannot be read.
QImage loadPreviewImage(const std::string& path, const QSize& box);
