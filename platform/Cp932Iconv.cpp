#include "platform/Cp932Conversion.h"

#include <cerrno>
#include <iconv.h>

namespace tovarin::cp932 {

namespace {

// An iconv descriptor opened once per direction and thread and kept for the run;
// each conversion starts from its initial state.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (isOpen())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    Conversion convert(std::string_view in) {
        Conversion result;
        if (!isOpen())
            return result;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        result.out.resize(in.size() * 4 + 16);
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char* outPtr = result.out.data();
        size_t outLeft = result.out.size();
        size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
        if (rc != static_cast<size_t>(-1))
            rc = iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
        result.ok = rc != static_cast<size_t>(-1) && inLeft == 0;
        result.failedAt = in.size() - inLeft;
        result.out.resize(result.out.size() - outLeft);
        return result;
    }

private:
    bool isOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

} // namespace

Conversion toCp932(std::string_view utf8) {
    thread_local Converter converter("CP932", "UTF-8");
    return converter.convert(utf8);
}

Conversion fromCp932(std::string_view bytes) {
    thread_local Converter converter("UTF-8", "CP932");
    return converter.convert(bytes);
}

} // namespace tovarin::cp932
