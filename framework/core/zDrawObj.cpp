#include "framework/core/zDrawObj.h"

zPen::zPen(int32_t style, int32_t width, const zColor& colour)
    : zDrawObj(CreatePen(style, width, colour.colorRef()), 0),
      style_(static_cast<int8_t>(style)), width_(width), colour_(colour)
{
}

zPen::zPen(int32_t stockObject)
    : zDrawObj(GetStockObject(stockObject), 1), stockNumber_(static_cast<uint8_t>(stockObject))
{
}

zBrush::zBrush(int32_t stockObject)
    : zDrawObj(GetStockObject(stockObject), 1), stockNumber_(static_cast<uint8_t>(stockObject))
{
}

zBrush::zBrush(const zColor& colour) : zDrawObj(CreateSolidBrush(colour.colorRef()), 0), colour_(colour) {}
