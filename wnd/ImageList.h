// CImageList: owner of one image list (HIMAGELIST).
//
// Not a window. The object owns the list it made and destroys it in Destroy,
// in Create (before making a new one) and in its destructor. Bitmaps given
// to AddMasked stay the caller's: the list keeps copies.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CImageList
{
public:
    CImageList() : m_List(nullptr) {}
    virtual ~CImageList() { Destroy(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Destroys any list held, then ImageList_Create with growth 0. 0 without
    // a call when width, height or initial count is negative; else 1 when a
    // list was made.
    int Create(int width, int height, int initialCount, UINT flags)
    {
        if (width < 0 || height < 0 || initialCount < 0)
            return 0;
        Destroy();
        m_List = ImageList_Create(width, height, flags, initialCount, 0);
        return m_List ? 1 : 0;
    }

    // ImageList_AddMasked: the index of the first new image, or -1 when it
    // failed or when there is no list or no bitmap (then nothing is called;
    // -1 rather than 0, which is the index of a first image).
    int AddMasked(HBITMAP bitmap, COLORREF maskColour)
    {
        if (!m_List || !bitmap)
            return -1;
        return ImageList_AddMasked(m_List, bitmap, maskColour);
    }

    // ImageList_Destroy; 0 when there was no list.
    int Destroy()
    {
        if (!m_List)
            return 0;
        const BOOL destroyed = ImageList_Destroy(m_List);
        m_List = nullptr;
        return destroyed;
    }

    // Exchanges the lists of two objects.
    void Swap(CImageList& other)
    {
        HIMAGELIST list = m_List;
        m_List = other.m_List;
        other.m_List = list;
    }

    HIMAGELIST GetHandle() const { return m_List; }
    int GetImageCount() const { return m_List ? ImageList_GetImageCount(m_List) : 0; }

private:
    HIMAGELIST m_List;
};
