// Where the shuffles' seeds come from: the clocks, or a numbered deal's own stream.
#include "logic/KaveloInternal.h"

void CKaveloInternal::DealByNumber(std::uint64_t number) { m_deal.emplace(number); }

std::optional<std::uint64_t> CKaveloInternal::DealNumber() const {
  if (!m_deal) return std::nullopt;
  return m_deal->Number();
}

std::uint32_t CKaveloInternal::TickSeed() { return m_deal ? m_deal->NextSeed() : m_clocks.tickMs(); }

std::uint32_t CKaveloInternal::CalendarSeed() { return m_deal ? m_deal->NextSeed() : m_clocks.calendarSeconds(); }

std::uint64_t CKaveloInternal::ClearableSeed() {
  if (m_deal) return m_deal->Next();
  return (std::uint64_t{m_clocks.calendarSeconds()} << 32 | m_clocks.tickMs()) ^ (++m_dealCount * 0x9E3779B97F4A7C15ULL);
}
