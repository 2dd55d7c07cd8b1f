#include "tooltip_placement.h"

namespace {

int Side(int code) { return code & ~15; }  // 0 below, 16 above, 32 right, 48 left
int End(int code) { return code & 15; }    // 0 start, 1 far end, 2 centred
bool Vertical(int code) { return Side(code) < 32; }  // tip above or below: stem on a horizontal edge

// Centres the anchor along an edge of the given length, then moves it so
// that the tip stays on the screen when only one side would leave it.
int CentredAnchor(int position, int length, int low, int high) {
  int anchor = length / 2;
  const int lowOverflow = low - (position - anchor);
  const int highOverflow = position - anchor + length - high;
  if (lowOverflow > 0 && highOverflow <= 0) anchor -= lowOverflow;
  else if (highOverflow > 0 && lowOverflow <= 0) anchor += highOverflow;
  return anchor;
}

TipRect Offset(TipRect rect, int dx, int dy) {
  return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace

bool IsStemCode(int code) { return code >= 0 && code <= 50 && End(code) <= 2; }

TipPlacement PlaceTip(int code, TipPoint point, const TipRect& screen, const TipRect& body, const TipRect& text,
                      const TipStemSizes& stem) {
  TipPlacement placement = {code, {0, 0}, body, body, text};
  if (!IsStemCode(code)) return placement;
  TipRect& bounds = placement.bounds;
  if (Vertical(code)) bounds.bottom += stem.height;
  else bounds.right += stem.height;
  const int width = bounds.Width(), height = bounds.Height(), margin = stem.margin;
  const int x = point.x, y = point.y;

  // Across: keep the tip within the screen's left and right edges.
  switch (code) {
    case 0: case 16:
      if (x + width - margin > screen.right) code += x - width + margin < screen.left ? 2 : 1;
      break;
    case 1: case 17:
      if (x + margin - width < screen.left) code += x - margin + width > screen.right ? 1 : -1;
      break;
    case 2: case 18:
      if (x - screen.left <= margin) code -= 2;
      else if (screen.right - x <= margin) code -= 1;
      break;
    case 32: case 33: case 34:
      if (x + width > screen.right) code += 16;
      break;
    case 48: case 49: case 50:
      if (x - width < screen.left) code -= 16;
      break;
  }
  // Up and down, on the result.
  switch (code) {
    case 0: case 1: case 2:
      if (y + height > screen.bottom) code += 16;
      break;
    case 16: case 17: case 18:
      if (y - height < screen.top) code -= 16;
      break;
    case 32: case 48:
      if (y + height - margin > screen.bottom) code += y - height + margin < screen.top ? 2 : 1;
      break;
    case 33: case 49:
      if (y + margin - height < screen.top) code += y - margin + height > screen.bottom ? 1 : -1;
      break;
    case 34: case 50:
      if (y - screen.top <= margin) code -= 2;
      else if (screen.bottom - y <= margin) code -= 1;
      break;
  }
  placement.code = code;

  TipPoint& anchor = placement.anchor;
  if (Vertical(code)) {
    anchor.y = Side(code) == 0 ? bounds.top : bounds.bottom;
    anchor.x = End(code) == 0 ? margin : End(code) == 1 ? width - margin
                                                         : CentredAnchor(x, width, screen.left, screen.right);
    if (End(code) != 1 && x - anchor.x < screen.left) anchor.x = x - screen.left;
    if (End(code) == 1 && x - anchor.x + width > screen.right) anchor.x = x + width - screen.right;
  } else {
    anchor.x = Side(code) == 32 ? bounds.left : bounds.right;
    anchor.y = End(code) == 0 ? margin : End(code) == 1 ? height - margin
                                                         : CentredAnchor(y, height, screen.top, screen.bottom);
    if (End(code) != 1 && y - anchor.y < screen.top) anchor.y = y - screen.top;
    if (End(code) == 1 && y - anchor.y + height > screen.bottom) anchor.y = y + height - screen.bottom;
  }

  if (Side(code) == 0) {
    placement.body = Offset(placement.body, 0, stem.height);
    placement.text = Offset(placement.text, 0, stem.height);
  } else if (Side(code) == 32) {
    placement.body = Offset(placement.body, stem.height, 0);
    placement.text = Offset(placement.text, stem.height, 0);
  }
  return placement;
}

bool StemTriangle(const TipPlacement& placement, const TipStemSizes& stem, TipPoint (&points)[3]) {
  const int code = placement.code;
  if (!IsStemCode(code) || stem.width <= 0 || stem.height <= 0) return false;
  const TipRect& body = placement.body;
  const bool vertical = Vertical(code);
  const int start = vertical ? body.left : body.top;
  const int end = vertical ? body.right : body.bottom;
  const int anchorAlong = vertical ? placement.anchor.x : placement.anchor.y;
  int from, to;
  switch (End(code)) {
    case 0: from = start + stem.margin; to = from + stem.width; break;
    case 1: to = end - stem.margin; from = to - stem.width; break;
    default: from = anchorAlong - stem.width / 2; to = anchorAlong + stem.width - stem.width / 2; break;
  }
  const int edge = Side(code) == 0 ? body.top : Side(code) == 16 ? body.bottom : Side(code) == 32 ? body.left
                                                                                                 : body.right;
  points[0] = placement.anchor;
  points[1] = vertical ? TipPoint{from, edge} : TipPoint{edge, from};
  points[2] = vertical ? TipPoint{to, edge} : TipPoint{edge, to};
  return true;
}
