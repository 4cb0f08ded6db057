/* The floor for start-up and memory: the least an SDL2 program can do to show a
   window. Opens the video subsystem, creates a window drawn through its software
   surface (no GL), shows one black frame and sleeps until asked to close. */
#include <SDL.h>

int main(void) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          WINDOW_WIDTH, WINDOW_HEIGHT, SDL_WINDOW_BORDERLESS);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : NULL;
    if (surface == NULL) return 1;
    SDL_FillRect(surface, NULL, 0);
    SDL_UpdateWindowSurface(window);
    SDL_Event event;
    while (SDL_WaitEvent(&event)) {
        if (event.type == SDL_QUIT) break;
    }
    SDL_Quit();
    return 0;
}
