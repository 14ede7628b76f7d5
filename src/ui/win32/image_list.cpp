#include "ui/win32/image_list.h"

#include "resource.h"

namespace pantrel::win32 {
namespace {

// Deletes a loaded bitmap once the image list has copied it.
struct BitmapHolder {
    HBITMAP handle;
    ~BitmapHolder() {
        if (handle != nullptr) {
            DeleteObject(handle);
        }
    }
};

}  // namespace

ImageList LoadImageStrip(HINSTANCE module, int bitmapId) {
    // Loaded as a device-dependent bitmap and masked by colour: a 16-colour strip loaded as a DIB
    // section draws its grey pictograms in the mask colour on some systems.
    const BitmapHolder bitmap{static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, 0))};
    if (bitmap.handle == nullptr) {
        return {};
    }
    BITMAP info{};
    GetObjectW(bitmap.handle, sizeof info, &info);
    const int cells = info.bmWidth / IMAGE_CELL_SIZE;
    ImageList images{
        ImageList_Create(IMAGE_CELL_SIZE, IMAGE_CELL_SIZE, ILC_COLOR24 | ILC_MASK, cells, 0)};
    if (images.Get() == nullptr ||
        ImageList_AddMasked(images.Get(), bitmap.handle, IMAGE_MASK_COLOUR) < 0) {
        return {};
    }
    return images;
}

}  // namespace pantrel::win32
