// Where a minimised page draws its icon: centred in the client area, with
// the division truncating toward zero as integer division does.
#pragma once

constexpr int CenteredIconOffset(int clientExtent, int iconExtent) {
  return (clientExtent - iconExtent + 1) / 2;
}
