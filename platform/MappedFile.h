// A file's bytes in memory without copying them: the file is mapped read-only, so that its
// pages come straight from the page cache. A file that cannot be mapped (a pipe, a file of
// /proc) is read into memory instead.
//
// Should the file shrink while it is mapped, reading the lost bytes would normally kill the
// process with SIGBUS; here they read as zero bytes instead and Truncated() turns true, so
// that the reader can report that the file changed under it.
#pragma once

#include <string>
#include <string_view>

namespace zintor {

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file cannot be opened or read (ErrorText says why); a folder is refused.
    bool Open(const std::string& path);
    void Close();

    std::string_view Bytes() const { return {data_, size_}; }
    // True when path names the file that was opened (the same file, by any name).
    bool IsSameFile(const std::string& path) const;
    bool Truncated() const;
    std::string ErrorText() const;

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mappedSize_ = 0;  // 0 when the bytes live in copy_
    int slot_ = -1;               // where the SIGBUS handler finds this mapping
    std::string copy_;
    int error_ = 0;
    unsigned long long device_ = 0, inode_ = 0;
    bool identified_ = false;
};

}  // namespace zintor
