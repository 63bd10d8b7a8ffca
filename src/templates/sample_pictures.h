#pragma once

#include <QString>

namespace vellamo::templates {

inline const QString SampleLogoName = QStringLiteral("logo.jpg");
inline const QString SampleSkyName = QStringLiteral("sky.jpg");

// The template assistant's default picture names. When the program folder holds neither, our
// own two pictures are put there, so a first start shows templates with a logo and a sky.
// A folder holding either keeps what it has. False when nothing could be written.
bool provideSamplePictures(const QString& programFolder);

}  // namespace vellamo::templates
