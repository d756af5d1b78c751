#pragma once

// Where the view's rotation centre may be: the point of the model under a
// pixel, by a ray cast against its triangles (the same with OpenGL and
// QPainter), and the middle of the part of the model in sight.

#include <QSizeF>
#include <optional>

#include "Model.h"
#include "OrbitCamera.h"
#include "tarvik_view_export.h"

// The nearest point where the ray meets a triangle of the model.
TARVIK_VIEW_EXPORT std::optional<QVector3D> first_hit(const Model& model,
                                                      const OrbitCamera::Ray& ray);

// The centre of the box of the model's corners that the camera shows; the
// model's centre when all of them are in sight, nothing when none is.
TARVIK_VIEW_EXPORT std::optional<QVector3D>
centre_in_sight(const Model& model, const OrbitCamera& camera, const QSizeF& viewport);
