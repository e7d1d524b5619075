#version 330 core
// Depth pass: only the depth reaches the framebuffer.

void main()
{
}
