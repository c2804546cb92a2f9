// The admin JSON API under /admin/api/. Every change carries the session's
// CSRF token; a 401 anywhere but at sign-in ends the session on the page.

export class ApiError extends Error {
  constructor(status, message, retryAfter) {
    super(message);
    this.status = status;
    this.retryAfter = retryAfter;
  }
}

let csrf = '';
let onSignedOut = () => {};

export function setCsrf(token) { csrf = token || ''; }
export function whenSignedOut(handler) { onSignedOut = handler; }

// Spaces as %20, never "+": the service reads "+" literally, as panels send it.
function query(params) {
  const pairs = Object.entries(params || {})
    .filter(([, value]) => value !== undefined && value !== null && value !== '')
    .map(([key, value]) => encodeURIComponent(key) + '=' + encodeURIComponent(String(value)));
  return pairs.length ? '?' + pairs.join('&') : '';
}

// options: params (query), json (a body to send as JSON), body and type (raw).
export async function call(method, path, options = {}) {
  const headers = {};
  let body = options.body;
  if (options.json !== undefined) {
    headers['Content-Type'] = 'application/json';
    body = JSON.stringify(options.json);
  } else if (options.type) {
    headers['Content-Type'] = options.type;
  }
  if (method !== 'GET') headers['X-CSRF-Token'] = csrf;
  let response;
  try {
    response = await fetch('/admin/api/' + path + query(options.params),
                           { method, headers, body, credentials: 'same-origin', cache: 'no-store' });
  } catch (e) {
    throw new ApiError(0, 'network');
  }
  if (response.status === 204) return null;
  let data = null;
  try { data = await response.json(); } catch (e) { data = null; }
  if (!response.ok) {
    if (response.status === 401 && path !== 'session') onSignedOut();
    const message = data && typeof data.error === 'string' ? data.error : response.statusText;
    throw new ApiError(response.status, message, Number(response.headers.get('Retry-After')) || 0);
  }
  return data;
}

export const get = (path, params) => call('GET', path, { params });
export const post = (path, json) => call('POST', path, { json });
export const patch = (path, json) => call('PATCH', path, { json });
export const remove = (path) => call('DELETE', path);
export const upload = (method, path, blob, type) => call(method, path, { body: blob, type });

export const segment = (value) => encodeURIComponent(String(value));
