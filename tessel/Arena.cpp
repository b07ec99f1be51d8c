#include "tessel/Arena.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#include "tessel/Node.h"

#if defined(__SANITIZE_ADDRESS__)
#define TESSEL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSEL_ASAN 1
#endif
#endif

#ifdef TESSEL_ASAN
#include <sanitizer/asan_interface.h>
// Arena memory not handed out, and nodes destroyed early, are poisoned, so
// that the address sanitizer still sees every use after destruction.
#define TESSEL_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define TESSEL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define TESSEL_POISON(p, n) ((void)(p), (void)(n))
#define TESSEL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace Tessel
{
namespace detail
{

namespace
{

thread_local NodeArena* t_arena = nullptr;

constexpr std::size_t kTagSize = 8;
constexpr std::uint64_t kHeapTag = 0x48454150u;   // "HEAP"
constexpr std::uint64_t kArenaTag = 0x4152454eu;  // "AREN"
constexpr std::size_t kMaxBlock = 1024 * 1024;

std::size_t RoundUp8(std::size_t n)
{
    return (n + 7) & ~static_cast<std::size_t>(7);
}

}  // namespace

NodeArena* SetThreadArena(NodeArena* arena) noexcept
{
    NodeArena* previous = t_arena;
    t_arena = arena;
    return previous;
}

NodeArena::~NodeArena()
{
    while (m_Blocks) {
        Block* next = m_Blocks->next;
        TESSEL_UNPOISON(m_Blocks + 1, m_Blocks->size);
        std::free(m_Blocks);
        m_Blocks = next;
    }
}

void NodeArena::NewBlock(std::size_t atLeast)
{
    std::size_t size = m_NextSize;
    while (size < atLeast)
        size *= 2;
    if (m_NextSize < kMaxBlock)
        m_NextSize *= 2;
    void* memory = std::malloc(sizeof(Block) + size);
    if (!memory)
        throw std::bad_alloc();
    Block* block = static_cast<Block*>(memory);
    block->next = m_Blocks;
    block->size = size;
    m_Blocks = block;
    m_Cursor = reinterpret_cast<char*>(block + 1);
    m_Limit = m_Cursor + size;
    TESSEL_POISON(m_Cursor, size);
}

void* NodeArena::Allocate(std::size_t size)
{
    size = RoundUp8(size);
    if (static_cast<std::size_t>(m_Limit - m_Cursor) < size)
        NewBlock(size);
    void* p = m_Cursor;
    m_Cursor += size;
    TESSEL_UNPOISON(p, size);
    return p;
}

}  // namespace detail

void* Node::operator new(std::size_t size)
{
    char* memory;
    std::uint64_t tag;
    if (detail::t_arena) {
        memory = static_cast<char*>(detail::t_arena->Allocate(size + detail::kTagSize));
        tag = detail::kArenaTag;
    } else {
        memory = static_cast<char*>(::operator new(size + detail::kTagSize));
        tag = detail::kHeapTag;
    }
    *reinterpret_cast<std::uint64_t*>(memory) = tag;
    return memory + detail::kTagSize;
}

void Node::operator delete(void* p, std::size_t size) noexcept
{
    if (!p)
        return;
    char* memory = static_cast<char*>(p) - detail::kTagSize;
    if (*reinterpret_cast<std::uint64_t*>(memory) == detail::kHeapTag) {
        ::operator delete(memory);
    } else {
        // Arena memory stays with the document until it goes.
        TESSEL_POISON(memory, size + detail::kTagSize);
    }
}

}  // namespace Tessel
