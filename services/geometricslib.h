#pragma once

#include "geometrics.h"

#include <QByteArray>

// Wrapper of the geometrics family library: rectangle, line and rotation geometry.

// Every entry point of geometrics.so, in look-up order.
#define KALK_GEOMETRICS_ENTRY_POINTS(X) \
    X(Geom_CenterRectangle) \
    X(Geom_CenterRectangleIntoRectangle) \
    X(Geom_FitRectangleIntoArea) \
    X(Geom_FitRectangleIntoRectangle) \
    X(Geom_StretchRectangleIntoArea) \
    X(Geom_StretchRectangleIntoRectangle) \
    X(Geom_AlignRectangleIntoRectangle) \
    X(Geom_NormalizeRect) \
    X(Geom_RectWidth) \
    X(Geom_RectHeight) \
    X(Geom_DiffRectWidth) \
    X(Geom_DiffRectHeight) \
    X(Geom_LineLength) \
    X(Geom_LineAngle) \
    X(Geom_LineDirection) \
    X(Geom_LineMidPoint) \
    X(Geom_RectMidPoint) \
    X(Geom_RotRectMidPoint) \
    X(Geom_PtInRotRect) \
    X(Geom_RotatePoint) \
    X(Geom_RotateLine) \
    X(Geom_RotateRect) \
    X(Geom_RotateLineByMidPoint) \
    X(Geom_RotateRectByMidPoint) \
    X(Geom_RectToRotable) \
    X(Geom_RotableToRect) \
    X(Geom_FitRotRectIntoBounds) \
    X(Geom_DiagonalToRect) \
    X(Geom_RadToDeg) \
    X(Geom_DegToRad) \
    X(Geom_RotateRect2) \
    X(Geom_IsOnRectBorder) \
    X(Geom_FitIn) \
    X(Geom_ScaleRect) \
    X(Geom_ScaleAreaByPerCent) \
    X(Geom_MoveRect) \
    X(Geom_MovePoint) \
    X(Geom_MoveRotRect) \
    X(Geom_MoveRectTo) \
    X(Geom_MoveLine) \
    X(Geom_MoveRectByMidPoint) \
    X(Geom_MoveRotRectByMidPoint) \
    X(Geom_MoveLineByMidPoint) \
    X(Geom_RectArea) \
    X(Geom_RotRectArea) \
    X(Geom_InflateRect) \
    X(Geom_RectEnsureNoOutsides) \
    X(Geom_NormalizeDoublePrecisionSet)

// One pointer per entry point, named like it; null until InitGeometricsLib succeeds, then valid for the run.
#define KALK_GEOM_DECLARE_POINTER(name) extern name##_t name;
KALK_GEOMETRICS_ENTRY_POINTS(KALK_GEOM_DECLARE_POINTER)
#undef KALK_GEOM_DECLARE_POINTER

// Loads the library from Path and resolves all its entry points; raises Exception
// "Cannot initialize geometrics.so" when it cannot be loaded and "Cannot initialize geometrics.so."
// when a name is missing (the library is then unloaded and no pointer changes).
void InitGeometricsLib(const QByteArray &Path);
bool GeometricsLibLoaded();
