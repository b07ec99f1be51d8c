// CFileHistory: the recently opened scenario files, oldest first, for the
// recent-files menu. At most ten distinct paths: adding an eleventh drops the
// oldest. Paths are UTF-8 exactly as given, compared byte for byte
// (no case folding, no normalisation). Stored in the option file as
// <FileHistories><FileHistory FullPath="..."/>...</FileHistories>.
#pragma once

#include "option/RingBuffer.h"
#include "persist/XMLBase.h"

#include <cstdint>
#include <string>

namespace Tessel
{
class Element;
class NodeContainer;
}  // namespace Tessel

class CFileHistory : public IXMLBase
{
public:
    static constexpr int32_t kCapacity = 11;  // ring slots: holds kCapacity - 1 paths

    CFileHistory() : m_Ring(kCapacity) {}
    ~CFileHistory() override = default;
    CFileHistory(const CFileHistory&) = default;
    CFileHistory& operator=(const CFileHistory&) = default;

    // Adds the path unless it is already there (an entry is never moved).
    void Add(const std::string& path);
    bool Contains(const std::string& path) const;
    void Clear() { m_Ring.Clear(); }

    // Walks the entries oldest first: start with Begin, call GetNext until
    // it returns false.
    int32_t Begin() const { return m_Ring.Begin(); }
    bool GetNext(std::string& path, int32_t& cursor) const { return m_Ring.GetNext(path, cursor); }

    // Appends "FileHistories" with one "FileHistory" per entry to `parent`.
    void Write(Tessel::NodeContainer& parent) const;
    // Replaces the entries with those of `element` when it is named
    // "FileHistories" (else false, nothing changed). Duplicates in the file
    // are kept; of more than ten entries the last ten stay. A "FileHistory"
    // without "FullPath" throws the library's not-found exception, keeping
    // the entries read before it.
    bool Read(const Tessel::Element& element);

private:
    Brindle::RingBuffer<std::string> m_Ring;
};
