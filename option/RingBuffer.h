// Brindle::RingBuffer: a fixed number of slots reused in a circle, holding
// the most recent pushes, oldest first.
//
// The buffer owns its slots (copies of the pushed elements), allocated at
// construction and released with it. Once it has wrapped it holds
// capacity - 1 elements: `start` is then always one slot after `write`.
// Contents are walked with a cursor: Begin, then GetNext until it gives false.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Brindle
{

template <class T>
class RingBuffer
{
public:
    // At least two slots: a one-slot ring could never hold an element.
    explicit RingBuffer(int32_t capacity)
        : m_Capacity(capacity < 2 ? 2 : capacity), m_Slots(static_cast<std::size_t>(m_Capacity))
    {}
    virtual ~RingBuffer() = default;
    RingBuffer(const RingBuffer&) = default;
    RingBuffer& operator=(const RingBuffer&) = default;

    void Push(const T& element)
    {
        m_Slots[static_cast<std::size_t>(m_Write)] = element;
        ++m_Write;
        if (m_Full) {
            m_Start = (m_Start + 1) % m_Capacity;
            if (m_Write == m_Capacity)
                m_Write = 0;
        } else if (m_Write == m_Capacity) {
            // First wrap: the oldest element (slot 0) is dropped at once.
            m_Full = true;
            m_Start = 1;
            m_Write = 0;
        }
    }

    // Empties the ring; the slots keep their old contents until overwritten.
    void Clear()
    {
        m_Full = false;
        m_Start = 0;
        m_Write = 0;
    }

    // The cursor of the oldest element.
    int32_t Begin() const { return m_Start; }

    // The element at `cursor` and the cursor moved on; false (nothing
    // changed) at the end or for a cursor that is no slot.
    bool GetNext(T& element, int32_t& cursor) const
    {
        if (cursor == m_Write || cursor < 0 || cursor >= m_Capacity)
            return false;
        element = m_Slots[static_cast<std::size_t>(cursor)];
        cursor = (cursor + 1) % m_Capacity;
        return true;
    }

    int32_t GetCapacity() const { return m_Capacity; }
    int32_t GetCount() const { return m_Full ? m_Capacity - 1 : m_Write; }
    bool IsFull() const { return m_Full; }

private:
    int32_t m_Capacity;
    std::vector<T> m_Slots;
    bool m_Full = false;
    int32_t m_Start = 0;
    int32_t m_Write = 0;
};

}  // namespace Brindle
