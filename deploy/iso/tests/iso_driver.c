/* Console driver: builds an image as the deploy wizard does.
   iso_driver <boot tree folder> <source folder> <image file> */
#include "deploy/iso/iso_build.h"

#include <stdio.h>

int main(int argc, char **argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: iso_driver <boot tree folder> <source folder> <image file>\n");
        return 2;
    }
    int r = iso_build(argv[1], argv[2], argv[3], NULL, NULL);
    if (!r) fprintf(stderr, "iso_driver: build failed: %s", iso_last_error());
    return r ? 0 : 1;
}
