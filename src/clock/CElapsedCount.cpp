#include "clock/CElapsedCount.h"

#include "clock/ElapsedTimeFormat.h"

void CElapsedCount::SetMode(int mode) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_nMode = mode;
    m_strText = ResetText(mode);
    m_bTextWaiting = false;
}

void CElapsedCount::Start(std::int64_t now) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_bRunning) return;
    m_bRunning = true;
    m_nStartTime = now;
}

void CElapsedCount::Stop() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_bRunning = false;
    m_nTicks = 0;
}

bool CElapsedCount::Tick(std::int64_t now) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_bRunning) return false;
    m_nTicks = TicksAfter(now - m_nStartTime, m_nFrequency, m_nMode);
    std::optional<std::wstring> text = FormatElapsedTime(m_nMode, m_nTicks);
    // Several ticks per change of text (mode 0) or a tick landing on the
    // same count again must not cost a repaint.
    if (!text || *text == m_strText) return false;
    m_strText = std::move(*text);
    m_bTextWaiting = true;
    const bool tell = !m_bWindowTold;
    m_bWindowTold = true;
    return tell;
}

void CElapsedCount::NotTold() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_bWindowTold = false;
}

std::optional<std::wstring> CElapsedCount::TakeText() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_bWindowTold = false;
    if (!m_bTextWaiting) return std::nullopt;
    m_bTextWaiting = false;
    return m_strText;
}

std::uint32_t CElapsedCount::Ticks() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_nTicks;
}
