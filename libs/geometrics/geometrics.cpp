// The geometrics family library; its entry points are declared in geometrics.h.
#include "geometrics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace {

constexpr int64_t Int32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t Int32Max = std::numeric_limits<int32_t>::max();

int32_t ClampToInt32(int64_t value)
{
    return static_cast<int32_t>(std::clamp(value, Int32Min, Int32Max));
}

// Rounds half away from zero; NaN becomes 0 and out-of-range values the nearest limit.
int32_t RoundToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::round(value);
    if (rounded <= static_cast<double>(Int32Min))
        return static_cast<int32_t>(Int32Min);
    if (rounded >= static_cast<double>(Int32Max))
        return static_cast<int32_t>(Int32Max);
    return static_cast<int32_t>(rounded);
}

int64_t Width64(const GEOM_RECT &rect)
{
    return int64_t{rect.right} - rect.left + 1;
}

int64_t Height64(const GEOM_RECT &rect)
{
    return int64_t{rect.bottom} - rect.top + 1;
}

// Floor of value / 2, also for negative values, so that centring never drifts by the sign.
int64_t HalfDown(int64_t value)
{
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

// Places a rectangle of the given size with its top-left corner at (left, top).
void SetRect(GEOM_RECT &rect, int64_t left, int64_t top, int64_t width, int64_t height)
{
    rect.left = ClampToInt32(left);
    rect.top = ClampToInt32(top);
    rect.right = ClampToInt32(left + width - 1);
    rect.bottom = ClampToInt32(top + height - 1);
}

// Sin and cos of an angle in degrees, exact at the quarter turns so that rotated pixel rectangles
// stay whole.
void SinCos(double degrees, double &sine, double &cosine)
{
    const double turn = std::fmod(degrees, 360.0);
    const double normal = turn < 0 ? turn + 360.0 : turn;
    if (normal == 0.0) {
        sine = 0.0;
        cosine = 1.0;
    } else if (normal == 90.0) {
        sine = 1.0;
        cosine = 0.0;
    } else if (normal == 180.0) {
        sine = 0.0;
        cosine = -1.0;
    } else if (normal == 270.0) {
        sine = -1.0;
        cosine = 0.0;
    } else {
        const double radians = degrees * std::numbers::pi / 180.0;
        sine = std::sin(radians);
        cosine = std::cos(radians);
    }
}

void Rotate(GEOM_POINT &point, const GEOM_POINT &center, double sine, double cosine)
{
    const double dx = point.x - center.x;
    const double dy = point.y - center.y;
    point.x = center.x + dx * cosine - dy * sine;
    point.y = center.y + dx * sine + dy * cosine;
}

GEOM_POINT MidPoint(const GEOM_RECT &rect)
{
    return {(double(rect.left) + double(rect.right)) / 2.0, (double(rect.top) + double(rect.bottom)) / 2.0};
}

GEOM_POINT MidPoint(const GEOM_ROTRECT &rotRect)
{
    GEOM_POINT mid{0.0, 0.0};
    for (const GEOM_POINT &corner : rotRect.corners) {
        mid.x += corner.x / 4.0;
        mid.y += corner.y / 4.0;
    }
    return mid;
}

void ToRotable(const GEOM_RECT &rect, GEOM_ROTRECT &rotRect)
{
    rotRect.corners[0] = {double(rect.left), double(rect.top)};
    rotRect.corners[1] = {double(rect.right), double(rect.top)};
    rotRect.corners[2] = {double(rect.right), double(rect.bottom)};
    rotRect.corners[3] = {double(rect.left), double(rect.bottom)};
}

struct Extent
{
    double minX, minY, maxX, maxY;
};

Extent ExtentOf(const GEOM_ROTRECT &rotRect)
{
    Extent extent{rotRect.corners[0].x, rotRect.corners[0].y, rotRect.corners[0].x, rotRect.corners[0].y};
    for (const GEOM_POINT &corner : rotRect.corners) {
        extent.minX = std::min(extent.minX, corner.x);
        extent.minY = std::min(extent.minY, corner.y);
        extent.maxX = std::max(extent.maxX, corner.x);
        extent.maxY = std::max(extent.maxY, corner.y);
    }
    return extent;
}

// Rounding noise of a rotation must not widen the enclosing rectangle by a whole pixel.
constexpr double EnclosingSlack = 1e-7;

int32_t FloorToInt32(double value)
{
    return RoundToInt32(std::floor(value + EnclosingSlack));
}

int32_t CeilToInt32(double value)
{
    return RoundToInt32(std::ceil(value - EnclosingSlack));
}

// The largest size of width:height proportions inside the area, sides at least 1; false when a size is 0.
bool FitSize(uint64_t width, uint64_t height, uint64_t areaWdt, uint64_t areaHgt, uint64_t &fitWdt,
             uint64_t &fitHgt)
{
    if (width == 0 || height == 0 || areaWdt == 0 || areaHgt == 0)
        return false;
    // Sides below 2^32 keep these products inside 64 bits, so the choice of side is exact.
    if (width * areaHgt >= height * areaWdt) {
        fitWdt = areaWdt;
        const long double exact = static_cast<long double>(height) * areaWdt / width;
        fitHgt = std::clamp<uint64_t>(static_cast<uint64_t>(std::llround(exact)), 1, areaHgt);
    } else {
        fitHgt = areaHgt;
        const long double exact = static_cast<long double>(width) * areaHgt / height;
        fitWdt = std::clamp<uint64_t>(static_cast<uint64_t>(std::llround(exact)), 1, areaWdt);
    }
    return true;
}

// Fits rect into the area whose top-left corner is (left, top).
void FitInto(int64_t left, int64_t top, int64_t areaWdt, int64_t areaHgt, GEOM_RECT &rect, bool center)
{
    const int64_t width = Width64(rect);
    const int64_t height = Height64(rect);
    if (width <= 0 || height <= 0 || areaWdt <= 0 || areaHgt <= 0)
        return;
    uint64_t fitWdt = 0;
    uint64_t fitHgt = 0;
    FitSize(uint64_t(width), uint64_t(height), uint64_t(areaWdt), uint64_t(areaHgt), fitWdt, fitHgt);
    if (center) {
        left += HalfDown(areaWdt - int64_t(fitWdt));
        top += HalfDown(areaHgt - int64_t(fitHgt));
    }
    SetRect(rect, left, top, int64_t(fitWdt), int64_t(fitHgt));
}

// An area side given as uint32_t, limited so that the rectangle covering it has int32_t edges.
int64_t AreaSide(uint32_t side)
{
    return std::min<int64_t>(side, Int32Max);
}

double Cross(const GEOM_POINT &origin, const GEOM_POINT &a, const GEOM_POINT &b)
{
    return (a.x - origin.x) * (b.y - origin.y) - (a.y - origin.y) * (b.x - origin.x);
}

double SegmentDistance(const GEOM_POINT &point, const GEOM_POINT &a, const GEOM_POINT &b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0)
        t = std::clamp(((point.x - a.x) * dx + (point.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(point.x - (a.x + t * dx), point.y - (a.y + t * dy));
}

double ShoelaceArea(const GEOM_ROTRECT &rotRect)
{
    double twice = 0.0;
    for (int i = 0; i < 4; ++i) {
        const GEOM_POINT &a = rotRect.corners[i];
        const GEOM_POINT &b = rotRect.corners[(i + 1) % 4];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2.0;
}

void Normalize(GEOM_RECT &rect)
{
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
}

// Moves [low, high] inside [boundLow, boundHigh], cutting it to the bounds when it is longer.
void KeepInside(int32_t &low, int32_t &high, int32_t boundLow, int32_t boundHigh)
{
    const int64_t length = int64_t{high} - low;
    if (length > int64_t{boundHigh} - boundLow) {
        low = boundLow;
        high = boundHigh;
    } else if (low < boundLow) {
        low = boundLow;
        high = ClampToInt32(boundLow + length);
    } else if (high > boundHigh) {
        high = boundHigh;
        low = ClampToInt32(boundHigh - length);
    }
}

} // namespace

extern "C" {

GEOM_API void GEOM_CALL Geom_CenterRectangle(uint32_t dwAreaWdt, uint32_t dwAreaHgt, GEOM_RECT *lpRec)
{
    if (!lpRec)
        return;
    const int64_t width = Width64(*lpRec);
    const int64_t height = Height64(*lpRec);
    SetRect(*lpRec, HalfDown(AreaSide(dwAreaWdt) - width), HalfDown(AreaSide(dwAreaHgt) - height), width, height);
}

GEOM_API void GEOM_CALL Geom_CenterRectangleIntoRectangle(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec)
{
    if (!lpBounds || !lpRec)
        return;
    const int64_t width = Width64(*lpRec);
    const int64_t height = Height64(*lpRec);
    SetRect(*lpRec, lpBounds->left + HalfDown(Width64(*lpBounds) - width),
            lpBounds->top + HalfDown(Height64(*lpBounds) - height), width, height);
}

GEOM_API void GEOM_CALL Geom_FitRectangleIntoArea(uint32_t dwAreaWdt, uint32_t dwAreaHgt, GEOM_RECT *lpRec,
                                                  uint8_t bCenter)
{
    if (!lpRec)
        return;
    FitInto(0, 0, AreaSide(dwAreaWdt), AreaSide(dwAreaHgt), *lpRec, bCenter != 0);
}

GEOM_API void GEOM_CALL Geom_FitRectangleIntoRectangle(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec,
                                                       GEOM_BOOL bCenter)
{
    if (!lpBounds || !lpRec)
        return;
    FitInto(lpBounds->left, lpBounds->top, Width64(*lpBounds), Height64(*lpBounds), *lpRec, bCenter != 0);
}

GEOM_API void GEOM_CALL Geom_StretchRectangleIntoArea(uint32_t dwAreaWdt, uint32_t dwAreaHgt, GEOM_RECT *lpRec)
{
    if (!lpRec || dwAreaWdt == 0 || dwAreaHgt == 0)
        return;
    SetRect(*lpRec, 0, 0, AreaSide(dwAreaWdt), AreaSide(dwAreaHgt));
}

GEOM_API void GEOM_CALL Geom_StretchRectangleIntoRectangle(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec)
{
    if (!lpBounds || !lpRec)
        return;
    *lpRec = *lpBounds;
}

GEOM_API void GEOM_CALL Geom_AlignRectangleIntoRectangle(const GEOM_RECT *lpBounds, GEOM_RECT *lpRec,
                                                         uint32_t dwAlign)
{
    if (!lpBounds || !lpRec)
        return;
    const int64_t width = Width64(*lpRec);
    const int64_t height = Height64(*lpRec);
    int64_t left = lpRec->left;
    int64_t top = lpRec->top;
    if (dwAlign & GEOM_ALIGN_LEFT)
        left = lpBounds->left;
    else if (dwAlign & GEOM_ALIGN_HCENTER)
        left = lpBounds->left + HalfDown(Width64(*lpBounds) - width);
    else if (dwAlign & GEOM_ALIGN_RIGHT)
        left = int64_t{lpBounds->right} - width + 1;
    if (dwAlign & GEOM_ALIGN_TOP)
        top = lpBounds->top;
    else if (dwAlign & GEOM_ALIGN_VCENTER)
        top = lpBounds->top + HalfDown(Height64(*lpBounds) - height);
    else if (dwAlign & GEOM_ALIGN_BOTTOM)
        top = int64_t{lpBounds->bottom} - height + 1;
    SetRect(*lpRec, left, top, width, height);
}

GEOM_API void GEOM_CALL Geom_NormalizeRect(GEOM_RECT *lpRect)
{
    if (lpRect)
        Normalize(*lpRect);
}

GEOM_API int32_t GEOM_CALL Geom_RectWidth(const GEOM_RECT *lpRect)
{
    return lpRect ? ClampToInt32(Width64(*lpRect)) : 0;
}

GEOM_API int32_t GEOM_CALL Geom_RectHeight(const GEOM_RECT *lpRect)
{
    return lpRect ? ClampToInt32(Height64(*lpRect)) : 0;
}

GEOM_API int32_t GEOM_CALL Geom_DiffRectWidth(const GEOM_RECT *lpRect1, const GEOM_RECT *lpRect2)
{
    return lpRect1 && lpRect2 ? ClampToInt32(Width64(*lpRect1) - Width64(*lpRect2)) : 0;
}

GEOM_API int32_t GEOM_CALL Geom_DiffRectHeight(const GEOM_RECT *lpRect1, const GEOM_RECT *lpRect2)
{
    return lpRect1 && lpRect2 ? ClampToInt32(Height64(*lpRect1) - Height64(*lpRect2)) : 0;
}

GEOM_API double GEOM_CALL Geom_LineLength(const GEOM_LINE *lpLine)
{
    return lpLine ? std::hypot(lpLine->b.x - lpLine->a.x, lpLine->b.y - lpLine->a.y) : 0.0;
}

GEOM_API double GEOM_CALL Geom_LineAngle(const GEOM_LINE *lpLine)
{
    if (!lpLine)
        return 0.0;
    const double dx = lpLine->b.x - lpLine->a.x;
    const double dy = lpLine->b.y - lpLine->a.y;
    if (dx == 0.0 && dy == 0.0)
        return 0.0;
    double degrees = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
    if (degrees < 0.0)
        degrees += 360.0;
    return degrees >= 360.0 ? 0.0 : degrees;
}

GEOM_API uint32_t GEOM_CALL Geom_LineDirection(const GEOM_LINE *lpLine)
{
    if (!lpLine)
        return GEOM_DIR_NONE;
    uint32_t direction = GEOM_DIR_NONE;
    if (lpLine->b.x < lpLine->a.x)
        direction |= GEOM_DIR_LEFT;
    else if (lpLine->b.x > lpLine->a.x)
        direction |= GEOM_DIR_RIGHT;
    if (lpLine->b.y < lpLine->a.y)
        direction |= GEOM_DIR_UP;
    else if (lpLine->b.y > lpLine->a.y)
        direction |= GEOM_DIR_DOWN;
    return direction;
}

GEOM_API void GEOM_CALL Geom_LineMidPoint(const GEOM_LINE *lpLine, GEOM_POINT *lpMidPoint)
{
    if (!lpLine || !lpMidPoint)
        return;
    *lpMidPoint = {(lpLine->a.x + lpLine->b.x) / 2.0, (lpLine->a.y + lpLine->b.y) / 2.0};
}

GEOM_API void GEOM_CALL Geom_RectMidPoint(const GEOM_RECT *lpRect, GEOM_POINT *lpMidPoint)
{
    if (lpRect && lpMidPoint)
        *lpMidPoint = MidPoint(*lpRect);
}

GEOM_API void GEOM_CALL Geom_RotRectMidPoint(const GEOM_ROTRECT *lpRotRect, GEOM_POINT *lpMidPoint)
{
    if (lpRotRect && lpMidPoint)
        *lpMidPoint = MidPoint(*lpRotRect);
}

GEOM_API GEOM_BOOL GEOM_CALL Geom_PtInRotRect(const GEOM_ROTRECT *lpRotRect, const GEOM_POINT *lpPoint)
{
    if (!lpRotRect || !lpPoint)
        return 0;
    const Extent extent = ExtentOf(*lpRotRect);
    const double size = std::max({1.0, extent.maxX - extent.minX, extent.maxY - extent.minY});
    const double tolerance = 1e-9 * size;
    if (ShoelaceArea(*lpRotRect) <= tolerance * size) {
        // A flat rectangle holds only the points of its edges.
        for (int i = 0; i < 4; ++i)
            if (SegmentDistance(*lpPoint, lpRotRect->corners[i], lpRotRect->corners[(i + 1) % 4]) <= tolerance)
                return 1;
        return 0;
    }
    bool anyPositive = false;
    bool anyNegative = false;
    for (int i = 0; i < 4; ++i) {
        const GEOM_POINT &a = lpRotRect->corners[i];
        const GEOM_POINT &b = lpRotRect->corners[(i + 1) % 4];
        const double cross = Cross(a, b, *lpPoint) / std::max(1.0, std::hypot(b.x - a.x, b.y - a.y));
        if (cross > tolerance)
            anyPositive = true;
        else if (cross < -tolerance)
            anyNegative = true;
    }
    return anyPositive && anyNegative ? 0 : 1;
}

GEOM_API void GEOM_CALL Geom_RotatePoint(GEOM_POINT *lpPoint, const GEOM_POINT *lpCenter, double dAngle)
{
    if (!lpPoint || !lpCenter)
        return;
    double sine = 0.0;
    double cosine = 1.0;
    SinCos(dAngle, sine, cosine);
    Rotate(*lpPoint, *lpCenter, sine, cosine);
}

GEOM_API void GEOM_CALL Geom_RotateLine(GEOM_LINE *lpLine, const GEOM_POINT *lpCenter, double dAngle)
{
    if (!lpLine || !lpCenter)
        return;
    const GEOM_POINT center = *lpCenter; // the centre may be one of the line's own ends
    double sine = 0.0;
    double cosine = 1.0;
    SinCos(dAngle, sine, cosine);
    Rotate(lpLine->a, center, sine, cosine);
    Rotate(lpLine->b, center, sine, cosine);
}

GEOM_API void GEOM_CALL Geom_RotateRect(const GEOM_RECT *lpRect, const GEOM_POINT *lpCenter, double dAngle,
                                        GEOM_ROTRECT *lpRotRect)
{
    if (!lpRect || !lpCenter || !lpRotRect)
        return;
    const GEOM_POINT center = *lpCenter;
    double sine = 0.0;
    double cosine = 1.0;
    SinCos(dAngle, sine, cosine);
    ToRotable(*lpRect, *lpRotRect);
    for (GEOM_POINT &corner : lpRotRect->corners)
        Rotate(corner, center, sine, cosine);
}

GEOM_API void GEOM_CALL Geom_RotateLineByMidPoint(GEOM_LINE *lpLine, double dAngle)
{
    if (!lpLine)
        return;
    GEOM_POINT mid{};
    Geom_LineMidPoint(lpLine, &mid);
    Geom_RotateLine(lpLine, &mid, dAngle);
}

GEOM_API void GEOM_CALL Geom_RotateRectByMidPoint(const GEOM_RECT *lpRect, double dAngle, GEOM_ROTRECT *lpRotRect)
{
    if (!lpRect || !lpRotRect)
        return;
    const GEOM_POINT mid = MidPoint(*lpRect);
    Geom_RotateRect(lpRect, &mid, dAngle, lpRotRect);
}

GEOM_API void GEOM_CALL Geom_RectToRotable(const GEOM_RECT *lpRect, GEOM_ROTRECT *lpRotRect)
{
    if (lpRect && lpRotRect)
        ToRotable(*lpRect, *lpRotRect);
}

GEOM_API void GEOM_CALL Geom_RotableToRect(const GEOM_ROTRECT *lpRotRect, GEOM_RECT *lpRect)
{
    if (!lpRotRect || !lpRect)
        return;
    const Extent extent = ExtentOf(*lpRotRect);
    lpRect->left = FloorToInt32(extent.minX);
    lpRect->top = FloorToInt32(extent.minY);
    lpRect->right = CeilToInt32(extent.maxX);
    lpRect->bottom = CeilToInt32(extent.maxY);
}

GEOM_API void GEOM_CALL Geom_FitRotRectIntoBounds(GEOM_ROTRECT *lpRotRect, const GEOM_RECT *lpBounds,
                                                  GEOM_BOOL bCenter)
{
    if (!lpRotRect || !lpBounds)
        return;
    // Edge to edge, as Geom_RectToRotable places the corners.
    const double boundsWdt = double(lpBounds->right) - double(lpBounds->left);
    const double boundsHgt = double(lpBounds->bottom) - double(lpBounds->top);
    if (boundsWdt < 0.0 || boundsHgt < 0.0)
        return;
    const Extent extent = ExtentOf(*lpRotRect);
    const double width = extent.maxX - extent.minX;
    const double height = extent.maxY - extent.minY;
    double factor = 1.0;
    if (width > 0.0 && height > 0.0)
        factor = std::min(boundsWdt / width, boundsHgt / height);
    else if (width > 0.0)
        factor = boundsWdt / width;
    else if (height > 0.0)
        factor = boundsHgt / height;
    if (!std::isfinite(factor))
        return;
    const GEOM_POINT mid = MidPoint(*lpRotRect);
    for (GEOM_POINT &corner : lpRotRect->corners) {
        corner.x = mid.x + (corner.x - mid.x) * factor;
        corner.y = mid.y + (corner.y - mid.y) * factor;
    }
    const Extent fitted = ExtentOf(*lpRotRect);
    double targetLeft = lpBounds->left;
    double targetTop = lpBounds->top;
    if (bCenter) {
        targetLeft += (boundsWdt - (fitted.maxX - fitted.minX)) / 2.0;
        targetTop += (boundsHgt - (fitted.maxY - fitted.minY)) / 2.0;
    }
    Geom_MoveRotRect(lpRotRect, targetLeft - fitted.minX, targetTop - fitted.minY);
}

GEOM_API void GEOM_CALL Geom_DiagonalToRect(const GEOM_LINE *lpDiagonal, GEOM_RECT *lpRect)
{
    if (!lpDiagonal || !lpRect)
        return;
    lpRect->left = RoundToInt32(lpDiagonal->a.x);
    lpRect->top = RoundToInt32(lpDiagonal->a.y);
    lpRect->right = RoundToInt32(lpDiagonal->b.x);
    lpRect->bottom = RoundToInt32(lpDiagonal->b.y);
    Normalize(*lpRect);
}

GEOM_API double GEOM_CALL Geom_RadToDeg(double dRadians)
{
    return dRadians * 180.0 / std::numbers::pi;
}

GEOM_API double GEOM_CALL Geom_DegToRad(double dDegrees)
{
    return dDegrees * std::numbers::pi / 180.0;
}

GEOM_API void GEOM_CALL Geom_RotateRect2(GEOM_RECT *lpRect, const GEOM_POINT *lpCenter, double dAngle)
{
    if (!lpRect || !lpCenter)
        return;
    GEOM_ROTRECT rotated{};
    Geom_RotateRect(lpRect, lpCenter, dAngle, &rotated);
    Geom_RotableToRect(&rotated, lpRect);
}

GEOM_API GEOM_BOOL GEOM_CALL Geom_IsOnRectBorder(const GEOM_RECT *lpRect, const GEOM_POINT *lpPoint,
                                                 double dTolerance)
{
    if (!lpRect || !lpPoint || std::isnan(dTolerance) || std::isnan(lpPoint->x) || std::isnan(lpPoint->y))
        return 0;
    GEOM_RECT rect = *lpRect;
    Normalize(rect);
    const double x = lpPoint->x;
    const double y = lpPoint->y;
    double distance = 0.0;
    if (x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom) {
        distance = std::min({x - rect.left, rect.right - x, y - rect.top, rect.bottom - y});
    } else {
        const double dx = std::max({rect.left - x, 0.0, x - rect.right});
        const double dy = std::max({rect.top - y, 0.0, y - rect.bottom});
        distance = std::hypot(dx, dy);
    }
    return distance <= std::max(dTolerance, 0.0) ? 1 : 0;
}

GEOM_API GEOM_BOOL GEOM_CALL Geom_FitIn(uint32_t dwWidth, uint32_t dwHeight, uint32_t dwAreaWdt, uint32_t dwAreaHgt,
                                        uint32_t *lpWidth, uint32_t *lpHeight)
{
    if (!lpWidth || !lpHeight)
        return 0;
    uint64_t width = 0;
    uint64_t height = 0;
    if (!FitSize(dwWidth, dwHeight, dwAreaWdt, dwAreaHgt, width, height))
        return 0;
    *lpWidth = static_cast<uint32_t>(width);
    *lpHeight = static_cast<uint32_t>(height);
    return 1;
}

GEOM_API void GEOM_CALL Geom_ScaleRect(GEOM_RECT *lpRect, double dFactor)
{
    if (!lpRect || !(dFactor > 0.0) || !std::isfinite(dFactor))
        return;
    const int64_t width = std::llround(std::clamp(double(Width64(*lpRect)) * dFactor, -4e18, 4e18));
    const int64_t height = std::llround(std::clamp(double(Height64(*lpRect)) * dFactor, -4e18, 4e18));
    SetRect(*lpRect, RoundToInt32(lpRect->left * dFactor), RoundToInt32(lpRect->top * dFactor), width, height);
}

GEOM_API GEOM_BOOL GEOM_CALL Geom_ScaleAreaByPerCent(uint32_t *lpWidth, uint32_t *lpHeight, double dPerCent)
{
    if (!lpWidth || !lpHeight || !(dPerCent >= 0.0) || !std::isfinite(dPerCent))
        return 0;
    const double width = std::round(*lpWidth * dPerCent / 100.0);
    const double height = std::round(*lpHeight * dPerCent / 100.0);
    constexpr double Largest = std::numeric_limits<uint32_t>::max();
    if (width > Largest || height > Largest)
        return 0;
    *lpWidth = static_cast<uint32_t>(width);
    *lpHeight = static_cast<uint32_t>(height);
    return 1;
}

GEOM_API void GEOM_CALL Geom_MoveRect(GEOM_RECT *lpRect, int32_t lDeltaX, int32_t lDeltaY)
{
    if (!lpRect)
        return;
    SetRect(*lpRect, int64_t{lpRect->left} + lDeltaX, int64_t{lpRect->top} + lDeltaY, Width64(*lpRect),
            Height64(*lpRect));
}

GEOM_API void GEOM_CALL Geom_MovePoint(GEOM_POINT *lpPoint, double dDeltaX, double dDeltaY)
{
    if (!lpPoint)
        return;
    lpPoint->x += dDeltaX;
    lpPoint->y += dDeltaY;
}

GEOM_API void GEOM_CALL Geom_MoveRotRect(GEOM_ROTRECT *lpRotRect, double dDeltaX, double dDeltaY)
{
    if (!lpRotRect)
        return;
    for (GEOM_POINT &corner : lpRotRect->corners)
        Geom_MovePoint(&corner, dDeltaX, dDeltaY);
}

GEOM_API void GEOM_CALL Geom_MoveRectTo(GEOM_RECT *lpRect, int32_t lLeft, int32_t lTop)
{
    if (lpRect)
        SetRect(*lpRect, lLeft, lTop, Width64(*lpRect), Height64(*lpRect));
}

GEOM_API void GEOM_CALL Geom_MoveLine(GEOM_LINE *lpLine, double dDeltaX, double dDeltaY)
{
    if (!lpLine)
        return;
    Geom_MovePoint(&lpLine->a, dDeltaX, dDeltaY);
    Geom_MovePoint(&lpLine->b, dDeltaX, dDeltaY);
}

GEOM_API void GEOM_CALL Geom_MoveRectByMidPoint(GEOM_RECT *lpRect, const GEOM_POINT *lpMidPoint)
{
    if (!lpRect || !lpMidPoint)
        return;
    const int64_t width = Width64(*lpRect);
    const int64_t height = Height64(*lpRect);
    SetRect(*lpRect, RoundToInt32(lpMidPoint->x - double(width - 1) / 2.0),
            RoundToInt32(lpMidPoint->y - double(height - 1) / 2.0), width, height);
}

GEOM_API void GEOM_CALL Geom_MoveRotRectByMidPoint(GEOM_ROTRECT *lpRotRect, const GEOM_POINT *lpMidPoint)
{
    if (!lpRotRect || !lpMidPoint)
        return;
    const GEOM_POINT mid = MidPoint(*lpRotRect);
    Geom_MoveRotRect(lpRotRect, lpMidPoint->x - mid.x, lpMidPoint->y - mid.y);
}

GEOM_API void GEOM_CALL Geom_MoveLineByMidPoint(GEOM_LINE *lpLine, const GEOM_POINT *lpMidPoint)
{
    if (!lpLine || !lpMidPoint)
        return;
    GEOM_POINT mid{};
    Geom_LineMidPoint(lpLine, &mid);
    Geom_MoveLine(lpLine, lpMidPoint->x - mid.x, lpMidPoint->y - mid.y);
}

GEOM_API int64_t GEOM_CALL Geom_RectArea(const GEOM_RECT *lpRect)
{
    if (!lpRect)
        return 0;
    const int64_t width = Width64(*lpRect);
    const int64_t height = Height64(*lpRect);
    if (width <= 0 || height <= 0)
        return 0;
    if (width > std::numeric_limits<int64_t>::max() / height)
        return std::numeric_limits<int64_t>::max();
    return width * height;
}

GEOM_API double GEOM_CALL Geom_RotRectArea(const GEOM_ROTRECT *lpRotRect)
{
    return lpRotRect ? ShoelaceArea(*lpRotRect) : 0.0;
}

GEOM_API void GEOM_CALL Geom_InflateRect(GEOM_RECT *lpRect, int32_t lDeltaX, int32_t lDeltaY)
{
    if (!lpRect)
        return;
    lpRect->left = ClampToInt32(int64_t{lpRect->left} - lDeltaX);
    lpRect->top = ClampToInt32(int64_t{lpRect->top} - lDeltaY);
    lpRect->right = ClampToInt32(int64_t{lpRect->right} + lDeltaX);
    lpRect->bottom = ClampToInt32(int64_t{lpRect->bottom} + lDeltaY);
}

GEOM_API GEOM_BOOL GEOM_CALL Geom_RectEnsureNoOutsides(GEOM_RECT *lpRect, const GEOM_RECT *lpBounds)
{
    if (!lpRect || !lpBounds)
        return 0;
    GEOM_RECT bounds = *lpBounds;
    Normalize(bounds);
    GEOM_RECT rect = *lpRect;
    Normalize(rect);
    KeepInside(rect.left, rect.right, bounds.left, bounds.right);
    KeepInside(rect.top, rect.bottom, bounds.top, bounds.bottom);
    const bool changed = rect.left != lpRect->left || rect.top != lpRect->top || rect.right != lpRect->right ||
                         rect.bottom != lpRect->bottom;
    *lpRect = rect;
    return changed ? 1 : 0;
}

GEOM_API uint32_t GEOM_CALL Geom_NormalizeDoublePrecisionSet(void)
{
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
    // Precision control 11 = 64-bit mantissa, rounding control 00 = nearest; exception masks are kept.
    uint16_t previous = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(previous));
    const uint16_t normal = static_cast<uint16_t>((previous & ~0x0F00u) | 0x0300u);
    __asm__ __volatile__("fldcw %0" : : "m"(normal));
    return previous;
#else
    return 0;
#endif
}

} // extern "C"
