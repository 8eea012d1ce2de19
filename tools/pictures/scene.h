// Scenes: big pictures composed from fills, gradients, placed pixel maps and pixel lettering.
#pragma once

#include <QImage>
#include <QStringList>

#include "outcome.h"
#include "palette.h"

// Renders the scene source at path; "$1".."$9" in it are replaced by args. Paths inside a scene
// are relative to assets_dir. Format_RGB32.
Outcome<QImage> render_scene(const QString& path, const QString& assets_dir, const Palette& palette,
                             const QStringList& args);
