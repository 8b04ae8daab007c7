// A file's bytes in memory without copying them: an open regular file is mapped read-only,
// so that its pages come straight from the page cache, and nothing new is allocated for them.
//
// Should the file shrink while it is mapped, reading the lost bytes would normally kill the
// process with SIGBUS; here they read as zero bytes instead and Truncated() turns true, so
// that the reader can report that the file changed under it.
#pragma once

#include <cstddef>
#include <string_view>

namespace zintor {

class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps the first size bytes (size > 0) of the regular file open at fd. False when they
    // cannot be mapped (no room for them in the address space, say); fd stays open either way.
    bool Map(int fd, std::size_t size);
    void Close();

    std::string_view Bytes() const { return {data_, size_}; }
    bool Truncated() const;
    // Lets go of the memory of the whole pages before offset: they stay mapped and are read
    // from the file again when touched. For bytes already read through once.
    void Release(std::size_t offset);
    // Maps the pages of the bytes from offset on, length of them, in one go rather than a
    // fault at a time, for bytes about to be read through.
    void Prepare(std::size_t offset, std::size_t length);

  private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    int slot_ = -1;  // where the SIGBUS handler finds this mapping
};

}  // namespace zintor
