// Resource number of the login prompt's picture, shared by the resource
// script and the form.
#pragma once
#define IDR_LOGIN_PICTURE 201
