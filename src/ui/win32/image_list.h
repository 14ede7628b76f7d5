// An owner of one Win32 image list.
#pragma once

#include <windows.h>
// After windows.h, whose types it builds on.
#include <commctrl.h>

namespace pantrel::win32 {

// Owns one image list and destroys it once. The list-view and its header only borrow it.
class ImageList {
public:
    ImageList() = default;
    explicit ImageList(HIMAGELIST handle) : handle_(handle) {}
    ~ImageList() { Reset(); }
    ImageList(ImageList&& other) noexcept : handle_(other.Release()) {}
    ImageList& operator=(ImageList&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    HIMAGELIST Get() const { return handle_; }
    HIMAGELIST Release() {
        HIMAGELIST handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void Reset(HIMAGELIST handle = nullptr) {
        if (handle_ != nullptr) {
            ImageList_Destroy(handle_);
        }
        handle_ = handle;
    }

private:
    HIMAGELIST handle_ = nullptr;
};

// The pictures of a bitmap strip of 15 x 15 cells, magenta showing what lies behind. Empty when
// the bitmap cannot be loaded.
ImageList LoadImageStrip(HINSTANCE module, int bitmapId);

}  // namespace pantrel::win32
