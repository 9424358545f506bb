#pragma once

#include "presentation/EventDispatcher.h"
#include "presentation/PicText.h"
#include "presentation/Text.h"

#include <map>
#include <string>
#include <vector>

namespace facade {
class Picture;
class WindowApp;
} // namespace facade

// A full-window list of choices, each picked with its letter key, seven to a page. Running
// the menu (Execute) takes over the window until an item is picked or Escape is pressed.
class Menu : public facade::EventOperation {
public:
    static constexpr int kItemsPerPage = 7;
    static constexpr const char* kItemFont = "fonts\\Phaisarn.ttf";

    class MenuPageDown : public facade::EventOperation {
    public:
        explicit MenuPageDown(Menu* menu) : menu(menu) {}
        void Execute() override { menu->PageDown(); }

    private:
        Menu* menu;
    };
    class MenuPageUp : public facade::EventOperation {
    public:
        explicit MenuPageUp(Menu* menu) : menu(menu) {}
        void Execute() override { menu->PageUp(); }

    private:
        Menu* menu;
    };

    explicit Menu(facade::WindowApp* window);
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    // Shown as "k) label"; binding a key again keeps the last operation.
    void AddItem(int key, const std::string& label, facade::EventOperation* operation);
    void Execute() override;

    void PageDown();
    void PageUp();
    // One key press while open; true when the menu is to close (Escape, or an item ran).
    bool HandleKey(int key);
    // The key a click at (x, y) stands for: a page mark's paging key or the key of the item on
    // that line of the page; keys::NoKey elsewhere.
    int KeyAt(float x, float y);
    // Rebuilds the page if needed and shows it: ClearScreen, the page, Display.
    void DrawPage();

    int GetPageStart() const { return pageStart; }
    int GetItemCount() const { return int(items.size()); }
    bool HasPageUpMark() const { return pageStart > 0; }
    bool HasPageDownMark() const { return pageStart + kItemsPerPage < GetItemCount(); }
    const std::vector<facade::Text>& GetItems() const { return items; }

private:
    bool HandleEvents();
    void Rebuild();

    facade::WindowApp* window;
    facade::PicTextBasket basket;
    facade::Picture* background;
    std::vector<facade::Text> items;
    std::vector<int> itemKeyCodes;
    float rowHeight = 0;
    int pageStart = 0;
    bool dirty = true;
    std::map<int, facade::EventOperation*> controlKeys;
    std::map<int, facade::EventOperation*> itemKeys;
    MenuPageDown pageDown;
    MenuPageUp pageUp;
    facade::Text upMark;
    facade::Text downMark;
};
