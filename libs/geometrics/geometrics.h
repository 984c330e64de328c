/*
 * geometrics: rectangle, line and rotation geometry for the calculator family.
 *
 * Coordinates are screen-like: x grows to the right, y grows downwards. A GEOM_RECT is a pixel
 * rectangle whose right and bottom edges belong to it, so (0, 0, w - 1, h - 1) is w pixels wide
 * and h high. Points, lines and rotatable rectangles carry double coordinates; angles are in
 * degrees, and a positive angle turns the +x axis towards +y (clockwise on the screen).
 * Every record is owned by the caller; the library never keeps a pointer it was given.
 * A null pointer argument makes an entry point do nothing and return 0 (or false).
 * No entry point throws or allocates.
 */
#ifndef GEOMETRICS_H
#define GEOMETRICS_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define GEOM_CALL __stdcall
#else
#define GEOM_CALL
#endif

#if defined(GEOM_BUILDING_LIBRARY)
#if defined(_WIN32)
#define GEOM_API __declspec(dllexport)
#else
#define GEOM_API __attribute__((visibility("default")))
#endif
#else
#define GEOM_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef uint8_t GEOM_BOOL; /* one byte, nonzero = true */

typedef struct GEOM_RECT { int32_t left, top, right, bottom; } GEOM_RECT;
typedef struct GEOM_POINT { double x, y; } GEOM_POINT;
typedef struct GEOM_LINE { GEOM_POINT a, b; } GEOM_LINE;
/* Four corners in order: top-left, top-right, bottom-right, bottom-left of the unturned rectangle. */
typedef struct GEOM_ROTRECT { GEOM_POINT corners[4]; } GEOM_ROTRECT;

/* Flags of Geom_AlignRectangleIntoRectangle; an axis without a flag is left where it is. */
enum {
    GEOM_ALIGN_LEFT = 0x01,
    GEOM_ALIGN_HCENTER = 0x02,
    GEOM_ALIGN_RIGHT = 0x04,
    GEOM_ALIGN_TOP = 0x08,
    GEOM_ALIGN_VCENTER = 0x10,
    GEOM_ALIGN_BOTTOM = 0x20
};

/* Flags of Geom_LineDirection: where point b lies seen from point a (UP = smaller y). */
enum {
    GEOM_DIR_NONE = 0x00,
    GEOM_DIR_LEFT = 0x01,
    GEOM_DIR_RIGHT = 0x02,
    GEOM_DIR_UP = 0x04,
    GEOM_DIR_DOWN = 0x08
};

typedef void (GEOM_CALL *Geom_CenterRectangle_t)(uint32_t dwAreaWdt, uint32_t dwAreaHgt, GEOM_RECT *lpRec);
typedef void (GEOM_CALL *Geom_CenterRectangleIntoRectangle_t)(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec);
typedef void (GEOM_CALL *Geom_FitRectangleIntoArea_t)(uint32_t dwAreaWdt, uint32_t dwAreaHgt, GEOM_RECT *lpRec,
                                                      uint8_t bCenter);
typedef void (GEOM_CALL *Geom_FitRectangleIntoRectangle_t)(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec,
                                                           GEOM_BOOL bCenter);
typedef void (GEOM_CALL *Geom_StretchRectangleIntoArea_t)(uint32_t dwAreaWdt, uint32_t dwAreaHgt, GEOM_RECT *lpRec);
typedef void (GEOM_CALL *Geom_StretchRectangleIntoRectangle_t)(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec);
typedef void (GEOM_CALL *Geom_AlignRectangleIntoRectangle_t)(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec,
                                                             uint32_t dwAlign);
typedef void (GEOM_CALL *Geom_NormalizeRect_t)(GEOM_RECT *lpRect);
typedef int32_t (GEOM_CALL *Geom_RectWidth_t)(const GEOM_RECT *lpRect);
typedef int32_t (GEOM_CALL *Geom_RectHeight_t)(const GEOM_RECT *lpRect);
typedef int32_t (GEOM_CALL *Geom_DiffRectWidth_t)(const GEOM_RECT *lpRect1, const GEOM_RECT *lpRect2);
typedef int32_t (GEOM_CALL *Geom_DiffRectHeight_t)(const GEOM_RECT *lpRect1, const GEOM_RECT *lpRect2);
typedef double (GEOM_CALL *Geom_LineLength_t)(const GEOM_LINE *lpLine);
typedef double (GEOM_CALL *Geom_LineAngle_t)(const GEOM_LINE *lpLine);
typedef uint32_t (GEOM_CALL *Geom_LineDirection_t)(const GEOM_LINE *lpLine);
typedef void (GEOM_CALL *Geom_LineMidPoint_t)(const GEOM_LINE *lpLine, GEOM_POINT *lpMidPoint);
typedef void (GEOM_CALL *Geom_RectMidPoint_t)(const GEOM_RECT *lpRect, GEOM_POINT *lpMidPoint);
typedef void (GEOM_CALL *Geom_RotRectMidPoint_t)(const GEOM_ROTRECT *lpRotRect, GEOM_POINT *lpMidPoint);
typedef GEOM_BOOL (GEOM_CALL *Geom_PtInRotRect_t)(const GEOM_ROTRECT *lpRotRect, const GEOM_POINT *lpPoint);
typedef void (GEOM_CALL *Geom_RotatePoint_t)(GEOM_POINT *lpPoint, const GEOM_POINT *lpCenter, double dAngle);
typedef void (GEOM_CALL *Geom_RotateLine_t)(GEOM_LINE *lpLine, const GEOM_POINT *lpCenter, double dAngle);
typedef void (GEOM_CALL *Geom_RotateRect_t)(const GEOM_RECT *lpRect, const GEOM_POINT *lpCenter, double dAngle,
                                            GEOM_ROTRECT *lpRotRect);
typedef void (GEOM_CALL *Geom_RotateLineByMidPoint_t)(GEOM_LINE *lpLine, double dAngle);
typedef void (GEOM_CALL *Geom_RotateRectByMidPoint_t)(const GEOM_RECT *lpRect, double dAngle,
                                                      GEOM_ROTRECT *lpRotRect);
typedef void (GEOM_CALL *Geom_RectToRotable_t)(const GEOM_RECT *lpRect, GEOM_ROTRECT *lpRotRect);
typedef void (GEOM_CALL *Geom_RotableToRect_t)(const GEOM_ROTRECT *lpRotRect, GEOM_RECT *lpRect);
typedef void (GEOM_CALL *Geom_FitRotRectIntoBounds_t)(GEOM_ROTRECT *lpRotRect, const GEOM_RECT *lpBounds,
                                                      GEOM_BOOL bCenter);
typedef void (GEOM_CALL *Geom_DiagonalToRect_t)(const GEOM_LINE *lpDiagonal, GEOM_RECT *lpRect);
typedef double (GEOM_CALL *Geom_RadToDeg_t)(double dRadians);
typedef double (GEOM_CALL *Geom_DegToRad_t)(double dDegrees);
typedef void (GEOM_CALL *Geom_RotateRect2_t)(GEOM_RECT *lpRect, const GEOM_POINT *lpCenter, double dAngle);
typedef GEOM_BOOL (GEOM_CALL *Geom_IsOnRectBorder_t)(const GEOM_RECT *lpRect, const GEOM_POINT *lpPoint,
                                                     double dTolerance);
typedef GEOM_BOOL (GEOM_CALL *Geom_FitIn_t)(uint32_t dwWidth, uint32_t dwHeight, uint32_t dwAreaWdt,
                                            uint32_t dwAreaHgt, uint32_t *lpWidth, uint32_t *lpHeight);
typedef void (GEOM_CALL *Geom_ScaleRect_t)(GEOM_RECT *lpRect, double dFactor);
typedef GEOM_BOOL (GEOM_CALL *Geom_ScaleAreaByPerCent_t)(uint32_t *lpWidth, uint32_t *lpHeight, double dPerCent);
typedef void (GEOM_CALL *Geom_MoveRect_t)(GEOM_RECT *lpRect, int32_t lDeltaX, int32_t lDeltaY);
typedef void (GEOM_CALL *Geom_MovePoint_t)(GEOM_POINT *lpPoint, double dDeltaX, double dDeltaY);
typedef void (GEOM_CALL *Geom_MoveRotRect_t)(GEOM_ROTRECT *lpRotRect, double dDeltaX, double dDeltaY);
typedef void (GEOM_CALL *Geom_MoveRectTo_t)(GEOM_RECT *lpRect, int32_t lLeft, int32_t lTop);
typedef void (GEOM_CALL *Geom_MoveLine_t)(GEOM_LINE *lpLine, double dDeltaX, double dDeltaY);
typedef void (GEOM_CALL *Geom_MoveRectByMidPoint_t)(GEOM_RECT *lpRect, const GEOM_POINT *lpMidPoint);
typedef void (GEOM_CALL *Geom_MoveRotRectByMidPoint_t)(GEOM_ROTRECT *lpRotRect, const GEOM_POINT *lpMidPoint);
typedef void (GEOM_CALL *Geom_MoveLineByMidPoint_t)(GEOM_LINE *lpLine, const GEOM_POINT *lpMidPoint);
typedef int64_t (GEOM_CALL *Geom_RectArea_t)(const GEOM_RECT *lpRect);
typedef double (GEOM_CALL *Geom_RotRectArea_t)(const GEOM_ROTRECT *lpRotRect);
typedef void (GEOM_CALL *Geom_InflateRect_t)(GEOM_RECT *lpRect, int32_t lDeltaX, int32_t lDeltaY);
typedef GEOM_BOOL (GEOM_CALL *Geom_RectEnsureNoOutsides_t)(GEOM_RECT *lpRect, const GEOM_RECT *lpBounds);
typedef uint32_t (GEOM_CALL *Geom_NormalizeDoublePrecisionSet_t)(void);

/* The prototypes exist only inside the library; the program resolves the names at run time. */
#if defined(GEOM_BUILDING_LIBRARY)

/* Moves *lpRec, size kept, to the centre of the area (0, 0, dwAreaWdt - 1, dwAreaHgt - 1). */
GEOM_API void GEOM_CALL Geom_CenterRectangle(uint32_t dwAreaWdt, uint32_t dwAreaHgt, GEOM_RECT *lpRec);
/* Moves *lpRec, size kept, to the centre of *lpBounds. */
GEOM_API void GEOM_CALL Geom_CenterRectangleIntoRectangle(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec);
/* Replaces *lpRec by the largest rectangle of its proportions that fits the area, enlarging or shrinking it,
   sides rounded to whole pixels (at least 1); at the area's top-left, or centred when bCenter. An empty
   rectangle or area leaves it unchanged. */
GEOM_API void GEOM_CALL Geom_FitRectangleIntoArea(uint32_t dwAreaWdt, uint32_t dwAreaHgt, GEOM_RECT *lpRec,
                                                  uint8_t bCenter);
/* Geom_FitRectangleIntoArea with the area *lpBounds (placed at its top-left corner). */
GEOM_API void GEOM_CALL Geom_FitRectangleIntoRectangle(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec,
                                                       GEOM_BOOL bCenter);
/* Replaces *lpRec by the whole area (0, 0, dwAreaWdt - 1, dwAreaHgt - 1), proportions not kept. */
GEOM_API void GEOM_CALL Geom_StretchRectangleIntoArea(uint32_t dwAreaWdt, uint32_t dwAreaHgt, GEOM_RECT *lpRec);
/* Replaces *lpRec by *lpBounds, proportions not kept. */
GEOM_API void GEOM_CALL Geom_StretchRectangleIntoRectangle(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec);
/* Moves *lpRec, size kept, to the sides of *lpBounds named by the GEOM_ALIGN_* flags of dwAlign. */
GEOM_API void GEOM_CALL Geom_AlignRectangleIntoRectangle(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec,
                                                         uint32_t dwAlign);
/* Swaps the edges of *lpRect where needed so that left <= right and top <= bottom. */
GEOM_API void GEOM_CALL Geom_NormalizeRect(GEOM_RECT *lpRect);
/* right - left + 1 (the right edge counts), clamped to the int32_t range; 0 for a null pointer. */
GEOM_API int32_t GEOM_CALL Geom_RectWidth(const GEOM_RECT *lpRect);
/* bottom - top + 1 (the bottom edge counts), clamped to the int32_t range; 0 for a null pointer. */
GEOM_API int32_t GEOM_CALL Geom_RectHeight(const GEOM_RECT *lpRect);
/* Width of *lpRect1 minus width of *lpRect2, clamped to the int32_t range. */
GEOM_API int32_t GEOM_CALL Geom_DiffRectWidth(const GEOM_RECT *lpRect1, const GEOM_RECT *lpRect2);
/* Height of *lpRect1 minus height of *lpRect2, clamped to the int32_t range. */
GEOM_API int32_t GEOM_CALL Geom_DiffRectHeight(const GEOM_RECT *lpRect1, const GEOM_RECT *lpRect2);
/* Distance from a to b. */
GEOM_API double GEOM_CALL Geom_LineLength(const GEOM_LINE *lpLine);
/* Direction from a to b in degrees, in [0, 360); 0 for a line of no length. */
GEOM_API double GEOM_CALL Geom_LineAngle(const GEOM_LINE *lpLine);
/* GEOM_DIR_* flags of where b lies seen from a; GEOM_DIR_NONE when a and b coincide. */
GEOM_API uint32_t GEOM_CALL Geom_LineDirection(const GEOM_LINE *lpLine);
/* Writes the middle of the line to the caller's *lpMidPoint. */
GEOM_API void GEOM_CALL Geom_LineMidPoint(const GEOM_LINE *lpLine, GEOM_POINT *lpMidPoint);
/* Writes the middle of the rectangle ((left + right) / 2, (top + bottom) / 2) to *lpMidPoint. */
GEOM_API void GEOM_CALL Geom_RectMidPoint(const GEOM_RECT *lpRect, GEOM_POINT *lpMidPoint);
/* Writes the mean of the four corners to *lpMidPoint. */
GEOM_API void GEOM_CALL Geom_RotRectMidPoint(const GEOM_ROTRECT *lpRotRect, GEOM_POINT *lpMidPoint);
/* True when the point lies inside the rotated rectangle or on its edge. */
GEOM_API GEOM_BOOL GEOM_CALL Geom_PtInRotRect(const GEOM_ROTRECT *lpRotRect, const GEOM_POINT *lpPoint);
/* Turns *lpPoint by dAngle degrees about *lpCenter, in place. */
GEOM_API void GEOM_CALL Geom_RotatePoint(GEOM_POINT *lpPoint, const GEOM_POINT *lpCenter, double dAngle);
/* Turns both ends of *lpLine by dAngle degrees about *lpCenter, in place. */
GEOM_API void GEOM_CALL Geom_RotateLine(GEOM_LINE *lpLine, const GEOM_POINT *lpCenter, double dAngle);
/* Writes the corners of *lpRect turned by dAngle degrees about *lpCenter to *lpRotRect. */
GEOM_API void GEOM_CALL Geom_RotateRect(const GEOM_RECT *lpRect, const GEOM_POINT *lpCenter, double dAngle,
                                        GEOM_ROTRECT *lpRotRect);
/* Turns *lpLine by dAngle degrees about its own middle, in place. */
GEOM_API void GEOM_CALL Geom_RotateLineByMidPoint(GEOM_LINE *lpLine, double dAngle);
/* Writes the corners of *lpRect turned by dAngle degrees about its own middle to *lpRotRect. */
GEOM_API void GEOM_CALL Geom_RotateRectByMidPoint(const GEOM_RECT *lpRect, double dAngle, GEOM_ROTRECT *lpRotRect);
/* Writes the corners (left, top), (right, top), (right, bottom), (left, bottom) to *lpRotRect. */
GEOM_API void GEOM_CALL Geom_RectToRotable(const GEOM_RECT *lpRect, GEOM_ROTRECT *lpRotRect);
/* Writes the smallest pixel rectangle enclosing the four corners to *lpRect. */
GEOM_API void GEOM_CALL Geom_RotableToRect(const GEOM_ROTRECT *lpRotRect, GEOM_RECT *lpRect);
/* Scales *lpRotRect about its middle, angle and proportions kept, and moves it so that its bounding box is
   the largest that fits *lpBounds: at the bounds' top-left, or centred when bCenter. */
GEOM_API void GEOM_CALL Geom_FitRotRectIntoBounds(GEOM_ROTRECT *lpRotRect, const GEOM_RECT *lpBounds,
                                                  GEOM_BOOL bCenter);
/* Writes the normalised pixel rectangle whose diagonal is the line (ends rounded) to *lpRect. */
GEOM_API void GEOM_CALL Geom_DiagonalToRect(const GEOM_LINE *lpDiagonal, GEOM_RECT *lpRect);
/* Radians to degrees. */
GEOM_API double GEOM_CALL Geom_RadToDeg(double dRadians);
/* Degrees to radians. */
GEOM_API double GEOM_CALL Geom_DegToRad(double dDegrees);
/* Turns *lpRect by dAngle degrees about *lpCenter and replaces it by the pixel rectangle enclosing the result. */
GEOM_API void GEOM_CALL Geom_RotateRect2(GEOM_RECT *lpRect, const GEOM_POINT *lpCenter, double dAngle);
/* True when the point is no farther than dTolerance (>= 0) from an edge of the rectangle. */
GEOM_API GEOM_BOOL GEOM_CALL Geom_IsOnRectBorder(const GEOM_RECT *lpRect, const GEOM_POINT *lpPoint,
                                                 double dTolerance);
/* Writes the largest size of dwWidth:dwHeight proportions that fits the area (rounded, at least 1) to the
   caller's *lpWidth and *lpHeight; false, outputs untouched, when a size is 0. */
GEOM_API GEOM_BOOL GEOM_CALL Geom_FitIn(uint32_t dwWidth, uint32_t dwHeight, uint32_t dwAreaWdt, uint32_t dwAreaHgt,
                                        uint32_t *lpWidth, uint32_t *lpHeight);
/* Scales the position and size of *lpRect by dFactor (> 0) as a zoom does, rounded; other factors do nothing. */
GEOM_API void GEOM_CALL Geom_ScaleRect(GEOM_RECT *lpRect, double dFactor);
/* Scales both sides by dPerCent / 100, rounded; false, sizes untouched, for a negative or too large result. */
GEOM_API GEOM_BOOL GEOM_CALL Geom_ScaleAreaByPerCent(uint32_t *lpWidth, uint32_t *lpHeight, double dPerCent);
/* Moves *lpRect by the offsets. */
GEOM_API void GEOM_CALL Geom_MoveRect(GEOM_RECT *lpRect, int32_t lDeltaX, int32_t lDeltaY);
/* Moves *lpPoint by the offsets. */
GEOM_API void GEOM_CALL Geom_MovePoint(GEOM_POINT *lpPoint, double dDeltaX, double dDeltaY);
/* Moves every corner of *lpRotRect by the offsets. */
GEOM_API void GEOM_CALL Geom_MoveRotRect(GEOM_ROTRECT *lpRotRect, double dDeltaX, double dDeltaY);
/* Moves *lpRect, size kept, so that its top-left corner is (lLeft, lTop). */
GEOM_API void GEOM_CALL Geom_MoveRectTo(GEOM_RECT *lpRect, int32_t lLeft, int32_t lTop);
/* Moves both ends of *lpLine by the offsets. */
GEOM_API void GEOM_CALL Geom_MoveLine(GEOM_LINE *lpLine, double dDeltaX, double dDeltaY);
/* Moves *lpRect, size kept, so that its middle is at *lpMidPoint (to the nearest pixel). */
GEOM_API void GEOM_CALL Geom_MoveRectByMidPoint(GEOM_RECT *lpRect, const GEOM_POINT *lpMidPoint);
/* Moves *lpRotRect so that its middle is at *lpMidPoint. */
GEOM_API void GEOM_CALL Geom_MoveRotRectByMidPoint(GEOM_ROTRECT *lpRotRect, const GEOM_POINT *lpMidPoint);
/* Moves *lpLine so that its middle is at *lpMidPoint. */
GEOM_API void GEOM_CALL Geom_MoveLineByMidPoint(GEOM_LINE *lpLine, const GEOM_POINT *lpMidPoint);
/* Width times height in pixels; 0 when either is not positive. */
GEOM_API int64_t GEOM_CALL Geom_RectArea(const GEOM_RECT *lpRect);
/* Area enclosed by the four corners. */
GEOM_API double GEOM_CALL Geom_RotRectArea(const GEOM_ROTRECT *lpRotRect);
/* Widens *lpRect by lDeltaX on the left and on the right and by lDeltaY at the top and at the bottom. */
GEOM_API void GEOM_CALL Geom_InflateRect(GEOM_RECT *lpRect, int32_t lDeltaX, int32_t lDeltaY);
/* Moves *lpRect inside *lpBounds, cutting a side that is longer than the bounds'; true when it changed. */
GEOM_API GEOM_BOOL GEOM_CALL Geom_RectEnsureNoOutsides(GEOM_RECT *lpRect, const GEOM_RECT *lpBounds);
/* Puts the x87 unit back to the platform default (64-bit extended precision, rounding to nearest) that
   long double arithmetic relies on and returns the previous control word; 0 where there is no x87 unit. */
GEOM_API uint32_t GEOM_CALL Geom_NormalizeDoublePrecisionSet(void);

#endif /* GEOM_BUILDING_LIBRARY */

#ifdef __cplusplus
}
#endif

#endif /* GEOMETRICS_H */
