// Tessel internals: the arena that holds the nodes DOM_Parser creates for one
// document. Not a public header.
//
// Nodes are allocated with Node::operator new, which takes memory from the
// arena of the parse running on this thread, or from the heap otherwise; an
// 8-byte tag in front of each node tells Node::operator delete which. A
// parsed node that is destroyed early leaves its memory in the arena until
// the document goes; the document destroys its nodes before its arena.
#ifndef TESSEL_ARENA_H
#define TESSEL_ARENA_H

#include <cstddef>

namespace Tessel
{
namespace detail
{

class NodeArena
{
public:
    NodeArena() = default;
    NodeArena(const NodeArena&) = delete;
    NodeArena& operator=(const NodeArena&) = delete;
    ~NodeArena();

    // size bytes aligned to 8.
    void* Allocate(std::size_t size);

private:
    struct Block
    {
        Block* next;
        std::size_t size;  // usable bytes after the header
    };
    void NewBlock(std::size_t atLeast);

    Block* m_Blocks = nullptr;
    char* m_Cursor = nullptr;
    char* m_Limit = nullptr;
    std::size_t m_NextSize = 16 * 1024;
};

// The arena that Node::operator new uses on this thread (null: the heap).
// Returns the previous one.
NodeArena* SetThreadArena(NodeArena* arena) noexcept;

// Sets the thread's arena for one scope.
class ArenaScope
{
public:
    explicit ArenaScope(NodeArena* arena) noexcept : m_Previous(SetThreadArena(arena)) {}
    ~ArenaScope() { SetThreadArena(m_Previous); }
    ArenaScope(const ArenaScope&) = delete;
    ArenaScope& operator=(const ArenaScope&) = delete;

private:
    NodeArena* m_Previous;
};

}  // namespace detail
}  // namespace Tessel

#endif
