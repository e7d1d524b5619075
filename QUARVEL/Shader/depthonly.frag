#version 330 core
// The light's depth map: only the depth counts, so nothing is shaded. A software rasteriser runs a
// fragment stage whole even where no colour is written, so this one is empty.

void main()
{
}
