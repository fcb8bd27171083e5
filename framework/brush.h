#pragma once
// CBrush: a solid brush that lives as long as the object. Static objects of this class are
// the brushes created once for the whole run.

#include <windows.h>

class CBrush {
  public:
    explicit CBrush(COLORREF colour) : m_hBrush(CreateSolidBrush(colour)) {}
    ~CBrush() { DeleteObject(m_hBrush); }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    HBRUSH GetSafeHandle() const { return m_hBrush; }

  private:
    HBRUSH m_hBrush;
};
