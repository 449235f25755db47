// The JavaScript imports of the web driver: the functions of web_library.js that its C++
// calls. Only webjs_wait_for_frame and webjs_wait_for_event yield to the browser (ASYNCIFY
// imports).
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {
int webjs_connect();
int webjs_screen_size(int vertical);
void webjs_create_window(const char* title, int width, int height);
void webjs_show_window(int shown);
int webjs_has_focus();
int webjs_create_context();
// Draws the frame, unless it repeats the last one drawn (`repeat`) and the page still holds
// that: whether it drew.
int webjs_draw(int repeat, int cleared, float red, float green, float blue, float alpha,
               const void* draws, size_t drawCount, const void* vertices, size_t vertexCount);
void webjs_present();
void webjs_summary(int sites, int siteLimit, int lastSiteX, int lastSiteY, int sweepStarted,
                   int sweepRow, int windowRows, int finished, int delaunayOn, int delaunayShown);
void webjs_wait_for_frame();
void webjs_wait_for_event();
int webjs_next_event(void* out);
int webjs_set_capture();
void webjs_release_capture();
int webjs_pointer_position(int vertical);
void webjs_message_box(const char* caption, const char* text);
}
