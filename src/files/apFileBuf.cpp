#include "files/apFileBuf.h"

apFileBuf::apFileBuf(std::FILE* file) noexcept : file_(file), one_(0)
{
    setg(&one_, &one_ + 1, &one_ + 1);
}

apFileBuf::~apFileBuf()
{
    if (file_ != nullptr)
        std::fclose(file_);
}

apFileBuf::int_type apFileBuf::overflow(int_type c)
{
    if (file_ == nullptr || traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::eof();
    const char byte = traits_type::to_char_type(c);
    return std::fwrite(&byte, 1, 1, file_) == 1 ? c : traits_type::eof();
}

apFileBuf::int_type apFileBuf::underflow()
{
    if (file_ == nullptr)
        return traits_type::eof();
    // Called with the get area used up, which is how EOF leaves it.
    if (std::fread(&one_, 1, 1, file_) != 1)
        return traits_type::eof();
    setg(&one_, &one_, &one_ + 1);
    // As an unsigned value, so that a byte 0xFF is never taken for EOF.
    return traits_type::to_int_type(one_);
}
