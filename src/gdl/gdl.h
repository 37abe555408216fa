#pragma once
// The display library: window and mode, display and memory surfaces, palettes,
// block copies, simple drawing, the event queue and an allocator. The game
// calls only these operations; how they work (over SDL2, or headless with no
// window at all) is this library's business.
#include <cstddef>
#include <cstdint>

// One palette entry as the game stores it: blue, green, red, 0.
struct GDL_PaletteEntry {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t reserved;
};

struct GDL_PixelFormat {
    int32_t bitsPerPixel;  // always 8 in this game
};

// A surface: the display or an off-screen memory surface. The game reads and
// writes the first five fields directly; the rest belong to the library.
struct GDL_Surface {
    uint8_t* pixels;       // first pixel, a plain 8-bit buffer
    int32_t bytesPerLine;  // distance from one row to the next
    int32_t maxX;          // width - 1
    int32_t maxY;          // height - 1
    int32_t bitsPerPixel;  // 8

    // Library-private.
    GDL_PaletteEntry palette[256];
    int32_t clipLeft, clipTop, clipRight, clipBottom;  // right and bottom exclusive
    bool isDisplay;
};

// The event record: nine 32-bit fields, in this order.
struct GDL_Event {
    uint32_t serial;  // set by the queue
    uint32_t type;    // one of the GDL_EVENT_ values
    uint32_t time;    // milliseconds, from the program's clock
    int32_t x;        // pointer position in display pixels
    int32_t y;
    uint32_t
        code;  // keys: character in the low byte, scan code in the second; buttons: 1 left, 4 right
    uint32_t state;  // modifiers or held buttons
    uint32_t next;   // queue links
    uint32_t prev;
};

// Event types; a mask is the OR of the wanted types.
constexpr uint32_t GDL_EVENT_KEYDOWN = 1;
constexpr uint32_t GDL_EVENT_KEYREPEAT = 2;
constexpr uint32_t GDL_EVENT_KEYUP = 4;
constexpr uint32_t GDL_EVENT_MOUSEDOWN = 8;
constexpr uint32_t GDL_EVENT_MOUSEUP = 16;
constexpr uint32_t GDL_EVENT_MOUSEMOVE = 32;
constexpr uint32_t GDL_EVENT_TIMERTICK = 64;
constexpr uint32_t GDL_EVENT_ALL = 0xFFFF;
constexpr uint32_t GDL_EVENT_POINTER = 56;

// Key modifiers in `state` of key events.
constexpr uint32_t GDL_STATE_SHIFT = 0x18;
constexpr uint32_t GDL_STATE_CONTROL = 0x20;
constexpr uint32_t GDL_STATE_ALT = 0x40;
// Button bits in `state` of pointer events; DOUBLECLICK on a second press.
constexpr uint32_t GDL_STATE_LEFT = 1;
constexpr uint32_t GDL_STATE_RIGHT = 2;
constexpr uint32_t GDL_STATE_DOUBLECLICK = 0x8000;
// Button codes of press and release events.
constexpr uint32_t GDL_BUTTON_LEFT = 1;
constexpr uint32_t GDL_BUTTON_RIGHT = 4;

constexpr int GDL_EVENT_QUEUE_SIZE = 100;

// The one display mode the game uses.
constexpr int32_t GDL_MODE_640x480x256 = 19;
constexpr int32_t GDL_MODE_LIST_END = 255;

// Result codes: 0 none, negative errors (GDL_errorMsg names -1 to -31).
constexpr int32_t GDL_OK = 0;

using GDL_ReactivateCallback = int32_t (*)(GDL_Surface* surface, uint32_t flags);

// Driver images: each begins with the text "Display Driver:" and its name.
extern const char GDL_SVGA8_DRV[];
extern const char GDL_LINEAR8_DRV[];
extern const char GDL_ACCEL8_DRV[];
extern const char GDL_DDRAW8_DRV[];

void GDL_setAppInstance(void* instance);
void GDL_unregisterAllDrivers();
int32_t GDL_registerDriver(const char* name, const void* image);
int32_t GDL_registerPackedDrivers();
void GDL_detectGraphics(int32_t* driver, int32_t* mode);
const int32_t* GDL_availableModes();
int32_t GDL_init(int32_t* driver, int32_t* mode, const char* path);
void GDL_exit();

GDL_Surface* GDL_createDisplaySurface(int32_t extraPages);
GDL_Surface* GDL_createMemorySurface(int32_t width, int32_t height, int32_t bitsPerPixel,
                                     const GDL_PixelFormat* format);
int32_t GDL_destroySurface(GDL_Surface* surface);

int32_t GDL_result();
const char* GDL_errorMsg(int32_t code);
[[noreturn]] void GDL_fatalError(const char* message);

GDL_Surface* GDL_makeCurrent(GDL_Surface* surface);
void GDL_setPalette(GDL_Surface* surface, const GDL_PaletteEntry* entries, int32_t count,
                    int32_t first);
void GDL_realizePalette(GDL_Surface* surface, int32_t count, int32_t first, int32_t waitRetrace);
void GDL_fadePalette(GDL_Surface* surface, const GDL_PaletteEntry* entries, int32_t count,
                     int32_t first, int32_t intensity);
int32_t GDL_setBlitTranslate(int32_t flag);
void GDL_setClipRect(GDL_Surface* surface, int32_t left, int32_t top, int32_t right,
                     int32_t bottom);
void GDL_getPixelFormat(GDL_Surface* surface, GDL_PixelFormat* format);

void GDL_setColor(uint32_t colour);
void GDL_clearDevice();
void GDL_fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
void GDL_drawRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
void GDL_line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void GDL_bitBlt(GDL_Surface* destination, GDL_Surface* source, int32_t left, int32_t top,
                int32_t right, int32_t bottom, int32_t destinationX, int32_t destinationY,
                int32_t operation);
void GDL_transBlt(GDL_Surface* destination, GDL_Surface* source, int32_t left, int32_t top,
                  int32_t right, int32_t bottom, int32_t destinationX, int32_t destinationY,
                  uint32_t transparent, int32_t sourceTransparent);

int32_t GDL_saveAreaSize(GDL_Surface* surface, int32_t left, int32_t top, int32_t right,
                         int32_t bottom);
void GDL_saveArea(GDL_Surface* surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  void* buffer);
void GDL_restoreArea(GDL_Surface* surface, const void* buffer);

void* GDL_malloc(size_t size);
void GDL_free(void* block);

void GDL_setReactivateCallback(GDL_ReactivateCallback callback);

int32_t GDL_getEvent(GDL_Event* event, uint32_t mask);
int32_t GDL_peekEvent(GDL_Event* event, uint32_t mask);
void GDL_flushEvents(uint32_t mask);
void GDL_setMousePos(int32_t x, int32_t y);
void GDL_getMousePos(int32_t* x, int32_t* y);
