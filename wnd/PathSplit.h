// CPathSplit: splits a path into drive, directory, name and extension.
//
// All fields are zero-terminated Shift_JIS byte strings held inside the
// object; the pointers returned stay valid until the next Set or Clear.
// Separators are "\" and "/"; a "\" byte that is the second byte of a
// double-byte character (as in "表" or "ソ") is part of that character.
#pragma once

class CPathSplit
{
public:
    enum
    {
        kPathSize = 260,  // also the limit of folder and file name
        kDriveSize = 3,
        kPartSize = 256  // directory, name and extension
    };

    CPathSplit() { Clear(); }

    // Splits the path. 0 for a null path, and for a path that does not fit
    // (260 bytes or more, or a part over its field): then the fields keep
    // their previous contents. Else 1.
    int Set(const char* path);
    void Clear();

    const char* GetPath() const { return m_Path; }
    const char* GetFolder() const { return m_Folder; }      // drive + directory
    const char* GetFileName() const { return m_FileName; }  // name + extension
    const char* GetDrive() const { return m_Drive; }        // "C:" or empty
    const char* GetDir() const { return m_Dir; }            // ends in separator
    const char* GetName() const { return m_Name; }
    const char* GetExt() const { return m_Ext; }  // with its dot

private:
    char m_Path[kPathSize];
    char m_Folder[kPathSize];
    char m_FileName[kPathSize];
    char m_Drive[kDriveSize];
    char m_Dir[kPartSize];
    char m_Name[kPartSize];
    char m_Ext[kPartSize];
};
