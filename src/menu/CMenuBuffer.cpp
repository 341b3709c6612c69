#include "menu/CMenuBuffer.h"

CMenuBuffer::CMenuBuffer(HDC target, const RECT& rc) : m_hTarget(target) {
    if (GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER) m_offscreen.emplace(target, rc);
}
